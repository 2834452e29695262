#pragma once
// "Load City, State or Zip From File" (PushButton3): one or more list files into the
// entry list, one entry per line, after the entries already there. Does not yield.
// Files dropped on the window are read the same way.

#include "Platform.h"
#include "WindowState.h"

class ListFileImport {
public:
    // A list file is read whole; beyond this it is refused with a message.
    static constexpr qint64 maxListFileBytes = qint64(1) << 30;

    ListFileImport(WindowState& state, Platform& platform);

    void PushButton3_Click();
    // List files dropped on the window, read one after another in the order given, as
    // the button reads what the dialog gives.
    void Form_OLEDragDrop(const QStringList& paths);
    // Reads one list file into the list; shows its own messages.
    void FileToListview(TextListModel& list, const QString& path);

    static FileDialogRequest dialogRequest();
    static QString binaryFileMessage(const QString& path);

private:
    WindowState& state_;
    Platform& platform_;
};
