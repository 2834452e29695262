#pragma once
// output: the results list (ListView2) and what leaves the program from it.
//
// The conversion run fills the results list; these commands edit it and keep the save
// option's choice; the writers (aligned text, clipboard, spreadsheet) read the list as it
// stands and never look at the option.

#include "core/Command.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class ResultListCommands : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* clearResultsLocation =
        "in Marrowby2021/08/31.Form1.PushButton2_Click ";

    using Command::Command;

    // "Clear Results": also while a long command runs.
    void PushButton2_Click();
    // Double-click on the list, or the Delete key in it (any modifiers): the selected row goes.
    void ListView2_DblClick();
    void ListView2_KeyDown(int keyCode);
    // Every pick in the save-option box, and the selection at start-up: store its text.
    // Throws AppError when the settings store cannot be written.
    void Combo1_Click();

private:
};
