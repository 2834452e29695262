#pragma once
// "Help" (PushButton8): what an entry must look like, and the online help on request.
// Runs also while a long command is under way.

#include "Platform.h"
#include "WindowState.h"

class HelpCommand {
public:
    HelpCommand(WindowState& state, Platform& platform);

    void PushButton8_Click();

    static QString entryFormsMessage();
    static QUrl helpPage();

private:
    WindowState& state_;
    Platform& platform_;
};
