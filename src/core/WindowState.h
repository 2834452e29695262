#pragma once
// The main window's state: the heart of core, the layer everything else stands on.
//
//   shell     widgets, QtPlatform, cursor files, spreadsheet probe   (Qt Widgets)
//   commands  start-up, Help                                          |
//   convert   entries   output                                        |  each layer
//   cli       quellist-convert: convert, entries, output and core,    |  includes only
//             no widgets and no seam                                  v  what lies below
//   core      WindowState, Platform (the seam), Command, ErrorTrap, Pacing, EventPump, RowLoop,
//             TextListModel, text rules                               (QtCore only)
//
// Every command reads and writes the window only through WindowState: the two lists,
// the save-option box, the progress bar, the mouse pointer (also the busy flag) and
// IsConverting. The shell shows these objects in widgets; the commands never touch a
// widget. Everything outside the program (dialogs, clipboard, settings, browser, clock,
// the event loop) is reached through Platform, so every command runs in tests with a
// scripted double.

#include "core/MousePointer.h"
#include "core/OptionBox.h"
#include "core/ProgressIndicator.h"
#include "core/TextListModel.h"

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
