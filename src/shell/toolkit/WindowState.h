#pragma once
// shell/toolkit: the main window's state and the platform seam.
//
// Every command reads and writes the window only through WindowState: the two lists,
// the save-option box, the progress bar, the mouse pointer (also the busy flag) and
// IsConverting. The shell shows these objects in widgets; the commands never touch a
// widget. Everything outside the program (dialogs, clipboard, browser, clock, the
// event loop) is reached through Platform, so every command runs in tests with a
// scripted double.

#include "MousePointer.h"
#include "OptionBox.h"
#include "ProgressIndicator.h"
#include "TextListModel.h"

#include <QString>

class WindowState {
public:
    WindowState();

    TextListModel entries{TextListModel::Storage::Unique}; // ListView1
    TextListModel results{TextListModel::Storage::Shared}; // ListView2
    OptionBox saveOption;                                  // Combo1
    ProgressIndicator progress;                            // ProgressBar1
    MousePointer pointer;                                  // the window's MousePointer
    bool isConverting = false;
    // The caption of every message box that names none of its own (at most 40 characters).
    QString applicationTitle;
};
