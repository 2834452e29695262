#include "entries/ListFileImport.h"

#include "core/AppError.h"
#include "core/ErrorTrap.h"
#include "core/FileExists.h"
#include "entries/ListFileStream.h"
#include "entries/PathRepair.h"

#include <QFile>

FileDialogRequest ListFileImport::dialogRequest() {
    return {QStringLiteral("Load List(s) - Hold Ctrl to select multiple list files"),
            {QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*.*)")}};
}

QString ListFileImport::binaryFileMessage(const QString& path) {
    return QStringLiteral("\"%1\" is not a list file: it holds binary data. Nothing was added "
                          "from it.")
        .arg(path);
}

void ListFileImport::PushButton3_Click() {
    ErrorTrap trap = trapAt(loadFromFileLocation);
    QStringList selection;
    trap.step(108, [&] { selection = platform_.openFileNames(dialogRequest()); });
    if (selection.isEmpty()) // 110: cancelled; the pointer is not touched
        return;
    trap.step(114, [&] { state_.pointer.set(MousePointer::Hourglass); });
    if (selection.size() == 1) {
        trap.step(116, [&] { FileToListview(state_.entries, selection.first()); });
    } else {
        // A folder and the names chosen in it: joined with one separator, repaired.
        for (qsizetype part = 1; part < selection.size(); ++part)
            trap.step(118, [&] {
                FileToListview(state_.entries, CollapseDoubleSlashes(selection.first() + u'/' +
                                                                     selection.at(part)));
            });
    }
    trap.step(120, [&] { state_.pointer.set(MousePointer::Default); });
}

void ListFileImport::Form_OLEDragDrop(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    ErrorTrap trap = trapAt(dropFilesLocation);
    trap.step(100, [&] { state_.pointer.set(MousePointer::Hourglass); });
    for (const QString& path : paths)
        trap.step(102, [&] { FileToListview(state_.entries, path); });
    trap.step(104, [&] { state_.pointer.set(MousePointer::Default); });
}

void ListFileImport::FileToListview(TextListModel& list, const QString& path) {
    ErrorTrap trap = trapAt(readListFileLocation);
    if (!fileExists(path)) { // 100
        tell(QStringLiteral("File not found"));
        return;
    }
    QFile file(path);
    ListFileStream stream; // the window's line rules
    ListFileStream::Outcome outcome = ListFileStream::Outcome::Failed;
    trap.step(102, [&] {
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
        if (file.size() > maxListFileBytes)
            throw AppError(
                QStringLiteral("%1 is too large to be a list file (%2 MB; at most %3 MB)")
                    .arg(path, QString::number(file.size() >> 20),
                         QString::number(maxListFileBytes >> 20)));
        outcome = stream.read(file, [&](QStringView entry) { list.append(entry); });
        if (outcome == ListFileStream::Outcome::Failed)
            throw AppError(QStringLiteral("Cannot read %1: %2").arg(path, stream.error()));
    });
    file.close(); // 114: closed whatever happened
    if (outcome == ListFileStream::Outcome::Binary)
        tell(binaryFileMessage(path));
}
