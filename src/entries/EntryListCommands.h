#pragma once
// entries: the commands that put entries into the entry list (ListView1) and take them
// out again. They work on WindowState and reach the user only through Platform.

#include "Platform.h"
#include "WindowState.h"

class EntryListCommands {
public:
    EntryListCommands(WindowState& state, Platform& platform);

    // "Load Sample/Example Data": six entries, upper-cased, appended at every click.
    void PushButton7_Click();

    static const QStringList& sampleEntries();

private:
    WindowState& state_;
    Platform& platform_;
};
