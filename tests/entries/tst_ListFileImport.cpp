// The list file import: every line-end case against golden files, the repair of joined
// paths, and the command's messages for missing, binary and unreadable files.

#include "entries/ListFileImport.h"
#include "entries/PathRepair.h"
#include "support/ListTexts.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QStringList entries(const WindowState& state) {
    return textsOf(state.entries);
}

// Golden entries: one "[entry]" a line, so blanks and empty entries show. Those of
// windows-1252-high (every byte from 0x80 to 0x9F) come from Python's cp1252 codec, not
// from our own table; its five unassigned bytes keep their Latin-1 code points.
QStringList goldenEntries(const QString& path) {
    QStringList golden;
    for (const QString& line : QString::fromUtf8(readFile(path)).split(u'\n', Qt::SkipEmptyParts))
        golden << line.mid(1, line.size() - 2);
    return golden;
}

} // namespace

class ListFileImportTest : public QObject {
    Q_OBJECT
private slots:
    void goldenFiles_data();
    void goldenFiles();
    void collapseDoubleSlashes_data();
    void collapseDoubleSlashes();
    void cancelChangesNothing();
    void severalFilesFromOneFolder();
    void missingAndBinaryFilesAreSkipped();
    void folderCannotBeRead();
    void unreadableFile();
    void hundredMegabyteLine();
    void millionCarriageReturns();
};

void ListFileImportTest::goldenFiles_data() {
    QTest::addColumn<QString>("name");
    const QDir dir(QStringLiteral(QUELLIST_TEST_DATA "/import"));
    for (const QString& file : dir.entryList({QStringLiteral("*.txt")}, QDir::Files))
        QTest::newRow(qPrintable(file)) << file.chopped(4);
}

void ListFileImportTest::goldenFiles() {
    QFETCH(QString, name);
    const QString base = QStringLiteral(QUELLIST_TEST_DATA "/import/") + name;
    WindowState state;
    ScriptedPlatform platform;
    state.entries.append(u"ALREADY THERE");
    ListFileImport(state, platform).FileToListview(state.entries, base + QStringLiteral(".txt"));
    QCOMPARE(entries(state),
             QStringList{"ALREADY THERE"} + goldenEntries(base + QStringLiteral(".expected")));
    QVERIFY(platform.messages.isEmpty());
}

void ListFileImportTest::collapseDoubleSlashes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("repaired");
    QTest::newRow("root folder joined") << "//a.txt"
                                        << "/a.txt";
    QTest::newRow("folder joined") << "/home/u/lists//a.txt"
                                   << "/home/u/lists/a.txt";
    QTest::newRow("leading stays single") << "/home/a.txt"
                                          << "/home/a.txt";
    QTest::newRow("relative") << "lists//a.txt"
                              << "lists/a.txt";
}

void ListFileImportTest::collapseDoubleSlashes() {
    QFETCH(QString, path);
    QFETCH(QString, repaired);
    QCOMPARE(CollapseDoubleSlashes(path), repaired);
}

void ListFileImportTest::cancelChangesNothing() {
    WindowState state;
    ScriptedPlatform platform;
    state.pointer.set(MousePointer::Custom);
    ListFileImport(state, platform).PushButton3_Click();
    QCOMPARE(platform.fileDialogs.size(), 1);
    QCOMPARE(platform.fileDialogs.first().title,
             QStringLiteral("Load List(s) - Hold Ctrl to select multiple list files"));
    QCOMPARE(platform.fileDialogs.first().filters,
             (QStringList{"Text Files (*.txt)", "All Files (*.*)"}));
    QCOMPARE(state.entries.count(), 0);
    QCOMPARE(state.pointer.value(), int(MousePointer::Custom));
}

void ListFileImportTest::severalFilesFromOneFolder() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.txt")), "03053\r\n"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("b")), "nashua, nh\r\n"));
    WindowState state;
    ScriptedPlatform platform;
    // The folder as a dialog may hand it back, with a separator at its end.
    platform.openFileSelections.enqueue({dir.path() + u'/', "b", "a.txt", "b"});
    ListFileImport(state, platform).PushButton3_Click();
    QCOMPARE(entries(state), (QStringList{"NASHUA, NH", "03053", "NASHUA, NH"}));
    QCOMPARE(state.pointer.value(), int(MousePointer::Default));
    QVERIFY(platform.messages.isEmpty());
}

void ListFileImportTest::missingAndBinaryFilesAreSkipped() {
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("binary.txt")), QByteArray("030\0"
                                                                             "53",
                                                                             6)));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("good.txt")), "12345"));
    WindowState state;
    ScriptedPlatform platform;
    platform.openFileSelections.enqueue({dir.path(), "missing.txt", "binary.txt", "good.txt"});
    ListFileImport(state, platform).PushButton3_Click();
    QCOMPARE(platform.messageTexts(),
             (QStringList{"File not found",
                          ListFileImport::binaryFileMessage(dir.filePath("binary.txt"))}));
    QCOMPARE(entries(state), QStringList{"12345"});
}

void ListFileImportTest::folderCannotBeRead() {
    QTemporaryDir dir;
    WindowState state;
    ScriptedPlatform platform;
    platform.openFileSelections.enqueue({dir.path()});
    ListFileImport(state, platform).PushButton3_Click();
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(platform.messages.first().title, QStringLiteral("Application Error"));
    QVERIFY(platform.messages.first().text.contains(
        QStringLiteral("in Marrowby2021/08/31.SortBy.FileToListview at line 102")));
    QCOMPARE(state.entries.count(), 0);
    QCOMPARE(state.pointer.value(), int(MousePointer::Default));
}

void ListFileImportTest::unreadableFile() {
    if (geteuid() == 0)
        QSKIP("root reads every file");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.txt"));
    QVERIFY(writeFile(path, "03053\r\n"));
    QFile::setPermissions(path, {});
    WindowState state;
    ScriptedPlatform platform;
    ListFileImport(state, platform).FileToListview(state.entries, path);
    QCOMPARE(platform.messages.size(), 1);
    QVERIFY(platform.messages.first().text.contains(QStringLiteral("at line 102")));
    QCOMPARE(state.entries.count(), 0);
}

void ListFileImportTest::hundredMegabyteLine() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("one-line.txt"));
    QVERIFY(writeFile(path, QByteArray(100 << 20, 'a') + "\r\n03053"));
    WindowState state;
    ScriptedPlatform platform;
    ListFileImport(state, platform).FileToListview(state.entries, path);
    QCOMPARE(state.entries.count(), 2);
    QCOMPARE(state.entries.textView(0).size(), 100 << 20);
    QVERIFY(state.entries.textView(0).startsWith(u"AAAA"));
    QCOMPARE(state.entries.text(1), QStringLiteral("03053"));
}

void ListFileImportTest::millionCarriageReturns() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("returns.txt"));
    QVERIFY(writeFile(path, QByteArray(1000000, '\r')));
    WindowState state;
    ScriptedPlatform platform;
    ListFileImport(state, platform).FileToListview(state.entries, path);
    QCOMPARE(state.entries.count(), 1000000);
    QCOMPARE(state.entries.text(999999), QStringLiteral("00000"));
}

QTEST_GUILESS_MAIN(ListFileImportTest)
#include "tst_ListFileImport.moc"
