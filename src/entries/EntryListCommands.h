#pragma once
// entries: the commands that put entries into the entry list (ListView1) and take them
// out again. They work on WindowState and reach the user only through Platform.

#include "core/Command.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class EntryListCommands : public Command {
public:
    // Where the "Application Error" reports of these commands say they happened.
    static constexpr const char* addEntryLocation =
        "in Marrowby2021/08/31.Form1.PushButton6_Click ";
    static constexpr const char* clearListLocation =
        "in Marrowby2021/08/31.Form1.PushButton1_Click ";
    static constexpr const char* loadSampleLocation =
        "in Marrowby2021/08/31.Form1.PushButton7_Click ";

    using Command::Command;

    // "Add City, State or Zip": one typed entry, short ones padded with leading zeros.
    void PushButton6_Click();
    // "Load Sample/Example Data": six entries, upper-cased, appended at every click.
    void PushButton7_Click();
    // "Clear List": empties the entry list unless a long command is running.
    void PushButton1_Click();
    // Double-click on the list, or the Delete key in it (any modifiers): the selected entry goes.
    void ListView1_DblClick();
    void ListView1_KeyDown(int keyCode);

    static const QStringList& sampleEntries();

private:
};
