#pragma once
// "Save Results As Text File" (PushButton4): asks for a file name, asks before replacing
// an existing file, and writes the results list as aligned text.

#include "core/Command.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class TextExport : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* saveAsTextLocation =
        "in Marrowby2021/08/31.Form1.PushButton4_Click ";

    using Command::Command;

    void PushButton4_Click();

    static FileDialogRequest dialogRequest();

private:
};
