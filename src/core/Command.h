#pragma once
// What every command of the window has: the window's state, the platform seam, the trap
// that reports its errors, and the plain message box it tells the user things in (an OK
// button, no icon, the window's title).

#include "core/ErrorTrap.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class Command {
public:
    Command(WindowState& state, Platform& platform)
        : state_(state)
        , platform_(platform) {}

protected:
    ~Command() = default;

    void tell(const QString& text) const;
    // The trap for one procedure, named by the location its reports give.
    ErrorTrap trapAt(const char* location) const;

    WindowState& state_;
    Platform& platform_;
};
