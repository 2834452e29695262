#pragma once
// "Help" (PushButton8): what an entry must look like, and the online help on request.
// Runs also while a long command is under way.

#include "core/Command.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class HelpCommand : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* helpLocation = "in Marrowby2021/08/31.Form1.PushButton8_Click ";

    using Command::Command;

    void PushButton8_Click();

    static QString entryFormsMessage();
    static QUrl helpPage();

private:
};
