// "Save Results As Text File": the exact bytes against golden files, the overwrite
// question, progress, and targets that fail: nothing half-written, nothing lost.

#include "core/AppError.h"
#include "core/WindowClosed.h"
#include "output/AlignedTextSave.h"
#include "output/AlignedTextWriter.h"
#include "output/TextExport.h"
#include "support/ScriptedPlatform.h"
#include "support/TableSource.h"
#include "support/TestDevices.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray golden(const char* name) {
    return readFile(QStringLiteral(QUELLIST_TEST_DATA "/export/") + QLatin1String(name));
}

struct Fixture {
    Fixture() { state.results.addColumnHeader(QStringLiteral("Results")); }

    void addResults(const QStringList& rows) {
        for (const QString& row : rows)
            state.results.append(row);
    }

    // Saves to path, answering the overwrite question with answer.
    void save(const QString& path, MessageAnswer answer = MessageAnswer::Yes) {
        platform.saveFileNames.enqueue(path);
        platform.answers.enqueue(answer);
        TextExport(state, platform).PushButton4_Click();
    }

    WindowState state;
    ScriptedPlatform platform;
};

// Writes beyond this many bytes fail, as on a full disk; works for root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

const QString threeRows[] = {"Nashua, NH 03060", "Springfield, MO 65801", "Salem, MA 01970"};

} // namespace

class TextExportTest : public QObject {
    Q_OBJECT
private slots:
    void emptyListIsTenBytes();
    void goldenFiles_data();
    void goldenFiles();
    void twoColumnsWithClearedCheckBox();
    void cancelWritesNothing();
    void overwriteQuestion();
    void progressOf5000Rows();
    void noRowCountBelow1000();
    void listClearedDuringSave();
    void failingTargets_data();
    void failingTargets();
    void deviceFailingMidway();
    void existingFileSurvivesClosedWindow();
};

void TextExportTest::emptyListIsTenBytes() {
    QTemporaryDir dir;
    Fixture f;
    const QString path = dir.filePath(QStringLiteral("results.txt"));
    f.save(path);
    QCOMPARE(readFile(path), golden("empty.txt"));
    QCOMPARE(readFile(path).size(), 10);
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
    QCOMPARE(f.platform.fileDialogs.first().title, QStringLiteral("Save"));
    QCOMPARE(f.platform.fileDialogs.first().filters,
             (QStringList{"Text Files (*.txt)", "All Files (*.*)"}));
}

void TextExportTest::goldenFiles_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("golden");
    QTest::newRow("three rows") << QStringList{threeRows[0], threeRows[1], threeRows[2]}
                                << "three-rows.txt";
    // Save Just State: the header is the widest cell, and sets the width.
    QTest::newRow("the header widest") << QStringList{"NH", "MA"} << "header-widest.txt";
}

void TextExportTest::goldenFiles() {
    QFETCH(QStringList, rows);
    QFETCH(QString, golden);
    QTemporaryDir dir;
    Fixture f;
    f.addResults(rows);
    const QString path = dir.filePath(QStringLiteral("results")); // no extension added
    f.save(path);
    QCOMPARE(readFile(path), readFile(QStringLiteral(QUELLIST_TEST_DATA "/export/") + golden));
    QCOMPARE(f.state.pointer.value(), int(MousePointer::Default));
    QCOMPARE(f.state.progress.text(), QStringLiteral("Progress Bar"));
    QCOMPARE(f.state.progress.value(), 0.0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"results"});
}

void TextExportTest::twoColumnsWithClearedCheckBox() {
    QTemporaryDir dir;
    ScriptedPlatform platform;
    TableSource table;
    table.headers = {"City", "Zip"};
    table.rowCells = {{"Londonderry", "03053"}, {"Springfield", "65801"}, {"Nashua", "03060"}};
    table.checks = {true, false, true};
    const QString path = dir.filePath(QStringLiteral("table.txt"));
    QVERIFY(AlignedTextSave(platform, nullptr).SaveListviewProperlySpaced(table, path));
    QCOMPARE(readFile(path), golden("two-columns-unchecked.txt"));
}

void TextExportTest::cancelWritesNothing() {
    Fixture f;
    f.addResults({threeRows[0]});
    TextExport(f.state, f.platform).PushButton4_Click();
    QVERIFY(f.platform.messages.isEmpty());
    QCOMPARE(f.state.pointer.value(), int(MousePointer::Default));
}

void TextExportTest::overwriteQuestion() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.txt"));
    QVERIFY(writeFile(path, "old content"));
    Fixture f;
    f.addResults({threeRows[0], threeRows[1], threeRows[2]});
    f.save(path, MessageAnswer::No);
    QCOMPARE(f.platform.messageTexts(),
             QStringList{QStringLiteral("Are you sure you wish to overwrite ") + path + " ?"});
    QCOMPARE(f.platform.messages.first().buttons, MessageButtons::YesNo);
    QCOMPARE(readFile(path), QByteArray("old content"));

    f.platform.messages.clear();
    f.save(path, MessageAnswer::Yes);
    QCOMPARE(f.platform.messages.size(), 2);
    QCOMPARE(f.platform.messages.last().text, QStringLiteral("Done."));
    QCOMPARE(readFile(path), golden("three-rows.txt"));
}

void TextExportTest::progressOf5000Rows() {
    QTemporaryDir dir;
    Fixture f;
    for (int i = 0; i < 5000; ++i)
        f.state.results.append(u"Nashua, NH 03060");
    QList<double> positions;
    QStringList texts;
    f.platform.onYield = [&](int) {
        if (positions.isEmpty() || positions.last() != f.state.progress.value())
            positions << f.state.progress.value();
        if (texts.isEmpty() || texts.last() != f.state.progress.text())
            texts << f.state.progress.text();
    };
    f.save(dir.filePath(QStringLiteral("results.txt")));

    QCOMPARE(positions.mid(0, 5), (QList<double>{0, 1, 10, 20, 3.0 / 5000 * 100}));
    // The last row's position lies above 100 (the bar shows 100); then 100 while the file closes.
    QVERIFY(qAbs(positions.at(positions.size() - 2) - 5002.0 / 5000 * 100) < 1e-9);
    QCOMPARE(positions.last(), 100.0);
    const QString writing = QStringLiteral("Writing file: results.txt");
    QCOMPARE(texts,
             (QStringList{"Progress Bar", writing, writing + " (1000)", writing + " (2000)",
                          writing + " (3000)", writing + " (4000)", writing + " (5000)", "Done."}));
    QCOMPARE(f.state.progress.text(), QStringLiteral("Progress Bar"));
}

void TextExportTest::noRowCountBelow1000() {
    QTemporaryDir dir;
    Fixture f;
    for (int i = 0; i < 999; ++i)
        f.state.results.append(u"03060");
    bool counted = false;
    f.platform.onYield = [&](int) { counted = counted || f.state.progress.text().contains(u'('); };
    f.save(dir.filePath(QStringLiteral("results.txt")));
    QVERIFY(!counted);
}

void TextExportTest::listClearedDuringSave() {
    QTemporaryDir dir;
    Fixture f;
    f.addResults({threeRows[0], threeRows[1], threeRows[2]});
    // The bar shows the second row coming: the user clears the list before it is read.
    f.platform.onceWhen([&] { return qFuzzyCompare(f.state.progress.value(), 200.0 / 3); },
                        [&] { f.state.results.clear(); });
    const QString path = dir.filePath(QStringLiteral("results.txt"));
    f.save(path);
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
    QCOMPARE(readFile(path), golden("three-rows.txt").left(48)); // header and first row
}

// Targets that fail, each reported once at its line: no "Done.", the window at rest,
// an old file whole and no partial or temporary file left.
void TextExportTest::failingTargets_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a full device") << "/dev/full" << 170 << "No space left on device";
    QTest::newRow("a folder that cannot be written") << "LOCKED/results.txt" << 156 << "";
    QTest::newRow("a folder") << "DIR" << 156 << "it is a folder";
    QTest::newRow("a name too long")
        << "DIR/" + QString(300, u'n') + ".txt" << 156 << "the name is too long";
    QTest::newRow("the disk filling up during the save") << "OLD" << 222 << "File too large";
    if (geteuid() != 0) // root may write any file
        QTest::newRow("an existing read-only file") << "READONLY" << 156 << "permission denied";
}

void TextExportTest::failingTargets() {
    QFETCH(QString, target);
    QFETCH(int, line);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    // Root may write into any folder; /proc refuses new files to everyone.
    QString locked = QStringLiteral("/proc");
    if (geteuid() != 0) {
        locked = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(locked));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QString old = dir.filePath(QStringLiteral("results.txt"));
    QVERIFY(writeFile(old, "the list from yesterday"));
    if (target == QStringLiteral("READONLY"))
        QFile::setPermissions(old, QFileDevice::ReadOwner);
    target.replace(QStringLiteral("LOCKED"), locked)
        .replace(QStringLiteral("DIR"), dir.path())
        .replace(QStringLiteral("OLD"), old)
        .replace(QStringLiteral("READONLY"), old);
    Fixture f;
    for (int i = 0; i < 200000; ++i) // more than the file size limit lets through
        f.state.results.append(u"Springfield, MO 65801");
    {
        const FileSizeLimit limit(rlim_t(64) * 1024);
        f.save(target);
    }
    const ShownMessage& report = f.platform.messages.last();
    QCOMPARE(report.title, QStringLiteral("Application Error"));
    QVERIFY2(report.text.contains(
                 QStringLiteral("in Marrowby2021/08/31.Main.SaveListviewProperlySpaced at line %1")
                     .arg(line)),
             qPrintable(report.text));
    QVERIFY2(report.text.contains(reason), qPrintable(report.text));
    const auto reports =
        std::count_if(f.platform.messages.begin(), f.platform.messages.end(),
                      [](const ShownMessage& m) { return m.title == "Application Error"; });
    QCOMPARE(reports, 1);
    QVERIFY(!f.platform.messageTexts().contains(QStringLiteral("Done.")));
    QCOMPARE(f.state.pointer.value(), int(MousePointer::Default));
    QCOMPARE(f.state.progress.text(), QStringLiteral("Progress Bar"));
    QCOMPARE(readFile(old), QByteArray("the list from yesterday"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"results.txt"});
    QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists());
}

// A device that fails midway (the writer reports the first failure and writes no more).
void TextExportTest::deviceFailingMidway() {
    TableSource table;
    table.headers = {"Results"};
    for (int i = 0; i < 100000; ++i)
        table.rowCells.append({QStringLiteral("Springfield, MO 65801")});
    FailingDevice device(1 << 20);
    try {
        AlignedTextWriter(table, QStringLiteral("out.txt")).write(device);
        QFAIL("the failed write went unnoticed");
    } catch (const AppError& failure) {
        QCOMPARE(failure.description(),
                 QStringLiteral("Cannot write out.txt: No space left on device"));
    }
    QVERIFY(device.written.startsWith("Results              \t\r\nSpringfield, MO 65801\t\r\n"));
}

void TextExportTest::existingFileSurvivesClosedWindow() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.txt"));
    QVERIFY(writeFile(path, "the list from yesterday"));
    Fixture f;
    f.addResults({threeRows[0], threeRows[1], threeRows[2]});
    f.platform.onceWhen([&] { return f.state.progress.value() == 20; }, // the header written
                        [&] { f.platform.closed = true; });
    QVERIFY_THROWS_EXCEPTION(WindowClosed, f.save(path));
    QCOMPARE(readFile(path), QByteArray("the list from yesterday"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"results.txt"});
}

QTEST_GUILESS_MAIN(TextExportTest)
#include "tst_TextExport.moc"
