#pragma once
// "Load City, State or Zip From File" (PushButton3): one or more list files into the
// entry list, one entry per line, after the entries already there, read by ListFileStream
// with the window's line rules. Does not yield. Files dropped on the window are read the
// same way.

#include "core/Command.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class ListFileImport : public Command {
public:
    // Where the "Application Error" reports of these commands say they happened.
    static constexpr const char* loadFromFileLocation =
        "in Marrowby2021/08/31.Form1.PushButton3_Click ";
    static constexpr const char* dropFilesLocation =
        "in Marrowby2021/08/31.Form1.Form_OLEDragDrop ";
    static constexpr const char* readListFileLocation =
        "in Marrowby2021/08/31.SortBy.FileToListview ";

    // A larger list file is refused with a message: its entries would not fit in memory.
    static constexpr qint64 maxListFileBytes = qint64(1) << 30;

    using Command::Command;

    void PushButton3_Click();
    // List files dropped on the window, read one after another in the order given, as
    // the button reads what the dialog gives.
    void Form_OLEDragDrop(const QStringList& paths);
    // Reads one list file into the list; shows its own messages.
    void FileToListview(TextListModel& list, const QString& path);

    static FileDialogRequest dialogRequest();
    static QString binaryFileMessage(const QString& path);

private:
};
