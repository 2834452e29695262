#pragma once
// "Save Results As Text File" (PushButton4): asks for a file name, asks before replacing
// an existing file, and writes the results list as aligned text.

#include "Platform.h"
#include "WindowState.h"

class TextExport {
public:
    TextExport(WindowState& state, Platform& platform);

    void PushButton4_Click();

    static FileDialogRequest dialogRequest();

private:
    WindowState& state_;
    Platform& platform_;
};
