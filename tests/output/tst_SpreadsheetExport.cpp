// "Save Results As Excel File": the workbook read back with openpyxl (header, rows in
// order, text cells with their leading zeros, the "=" rule, a cleared check box, further
// sheets past the row limit), and failures that leave no workbook behind. The spreadsheet
// program is a seam double here.

#include "core/AppError.h"
#include "core/WindowClosed.h"
#include "output/OutputTarget.h"
#include "output/SpreadsheetExport.h"
#include "output/WorkbookWriter.h"
#include "support/ScriptedPlatform.h"
#include "support/TableSource.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The sheets of a workbook as openpyxl reads them.
QJsonArray readWorkbook(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(QUELLIST_READ_WORKBOOK), path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0)
        qWarning() << reader.readAllStandardError();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
}

// A sheet's rows as text: cells joined by "|", each "value:type".
QStringList rowsOf(const QJsonArray& sheets, int sheet) {
    QStringList rows;
    for (const QJsonValue& row : sheets.at(sheet).toObject().value("rows").toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toArray().at(0).toVariant().toString() + u':' +
                         cell.toArray().at(1).toString();
        rows << cells.join(u'|');
    }
    return rows;
}

QStringList workbooksLeft() {
    return QDir(SpreadsheetExport::exportFolder()).entryList(QDir::Files);
}

struct Fixture {
    Fixture() {
        state.results.addColumnHeader(QStringLiteral("Results"));
        platform.spreadsheetProgram = SpreadsheetProgram{"/opt/calc", {"-n"}};
    }
    void addResults(const QStringList& rows) {
        for (const QString& row : rows)
            state.results.append(row);
    }
    QString startedWorkbook() const {
        return platform.startedPrograms.isEmpty() ? QString()
                                                  : platform.startedPrograms.last().last();
    }

    WindowState state;
    ScriptedPlatform platform;
};

} // namespace

class SpreadsheetExportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void resultsIntoWorkbook();
    void equalsRuleAndClearedCheckBox();
    void rowsPastTheLimitGoOnNextSheet();
    void noSpreadsheetProgram();
    void emptyResultsOpenNothing();
    void programFailsToStart();
    void cacheFolderNotWritable();
    void windowClosedDuringWrite();
};

void SpreadsheetExportTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void SpreadsheetExportTest::init() {
    QDir(SpreadsheetExport::exportFolder()).removeRecursively();
    QFile::remove(SpreadsheetExport::exportFolder());
}

void SpreadsheetExportTest::resultsIntoWorkbook() {
    Fixture f;
    f.addResults({"03053", "Nashua, NH 03060", "=1+1", "00501"});
    int pointerWhileWriting = -1;
    f.platform.onYield = [&](int) { pointerWhileWriting = f.state.pointer.value(); };
    SpreadsheetExport(f.state, f.platform).PushButton13_Click();

    QVERIFY(f.platform.messages.isEmpty());
    QCOMPARE(pointerWhileWriting, 11);
    QCOMPARE(f.state.pointer.value(), 0);
    QCOMPARE(f.platform.startedPrograms.size(), 1);
    const QStringList started = f.platform.startedPrograms.first();
    QCOMPARE(started.mid(0, 2), (QStringList{"/opt/calc", "-n"}));
    QVERIFY(started.last().startsWith(SpreadsheetExport::exportFolder() + "/Results-"));
    QVERIFY(started.last().endsWith(".xlsx"));

    const QJsonArray sheets = readWorkbook(f.startedWorkbook());
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(rowsOf(sheets, 0),
             (QStringList{"Results:s", "03053:s", "Nashua, NH 03060:s", "=1+1:s", "00501:s"}));
    // The column is fitted to its longest text.
    QVERIFY(sheets.at(0).toObject().value("widths").toObject().value("A").toDouble() >= 16);
}

void SpreadsheetExportTest::equalsRuleAndClearedCheckBox() {
    QTemporaryDir dir;
    ScriptedPlatform platform;
    EventPump pump(platform);
    TableSource table;
    table.headers = {"City", "Formula"};
    table.rowCells = {{"=Rye", "=SUM(A1)"}, {"Salem", "a=b=c"}, {"Nashua", "=x"}};
    table.checks = {true, false, true};
    const QString path = dir.filePath(QStringLiteral("table.xlsx"));
    OutputTarget target(path);
    WorkbookWriter(pump).write(table, target);
    target.commit();
    QCOMPARE(rowsOf(readWorkbook(path), 0),
             (QStringList{"City:s|Formula:s", "=Rye:s|SUM(A1):s", "", "Nashua:s|x:s"}));
}

void SpreadsheetExportTest::rowsPastTheLimitGoOnNextSheet() {
    Fixture f;
    f.addResults({"1", "2", "3", "4", "5"});
    SpreadsheetExport(f.state, f.platform, 3).PushButton13_Click(); // a header and two rows
    const QJsonArray sheets = readWorkbook(f.startedWorkbook());
    QCOMPARE(sheets.size(), 3);
    QCOMPARE(rowsOf(sheets, 0), (QStringList{"Results:s", "1:s", "2:s"}));
    QCOMPARE(rowsOf(sheets, 1), (QStringList{"Results:s", "3:s", "4:s"}));
    QCOMPARE(rowsOf(sheets, 2), (QStringList{"Results:s", "5:s"}));
}

void SpreadsheetExportTest::noSpreadsheetProgram() {
    for (bool withResults : {true, false}) {
        Fixture f;
        f.platform.spreadsheetProgram.reset();
        if (withResults)
            f.addResults({"03053"});
        int pointerDuringMessages = 0;
        f.platform.onMessage = [&](const ShownMessage&) {
            pointerDuringMessages = std::max(pointerDuringMessages, f.state.pointer.value());
        };
        SpreadsheetExport(f.state, f.platform).PushButton13_Click();
        QCOMPARE(f.platform.messageTexts(), (QStringList{SpreadsheetExport::probeMessage(),
                                                         SpreadsheetExport::commandMessage()}));
        QCOMPARE(pointerDuringMessages, 0);
        QVERIFY(f.platform.startedPrograms.isEmpty());
        QVERIFY(workbooksLeft().isEmpty());
    }
    QCOMPARE(SpreadsheetExport::probeMessage(),
             QStringLiteral("Excel is not installed on this computer. You need to have it "
                            "installed to use this software without error."));
    QCOMPARE(SpreadsheetExport::commandMessage(),
             QStringLiteral("Excel is not installed on this computer. You need to have it "
                            "installed to use this feature."));
}

void SpreadsheetExportTest::emptyResultsOpenNothing() {
    Fixture f;
    SpreadsheetExport(f.state, f.platform).PushButton13_Click();
    QCOMPARE(f.platform.spreadsheetProbes, 1);
    QVERIFY(f.platform.messages.isEmpty());
    QVERIFY(f.platform.startedPrograms.isEmpty());
    QVERIFY(workbooksLeft().isEmpty());
}

void SpreadsheetExportTest::programFailsToStart() {
    Fixture f;
    f.addResults({"03053"});
    f.platform.startProgramFails = true;
    SpreadsheetExport(f.state, f.platform).PushButton13_Click();
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.platform.messages.first().text.contains(
        QStringLiteral("in Marrowby2021/08/31.Form1.PushButton13_Click at line ")));
    QCOMPARE(f.state.pointer.value(), 0);
    QVERIFY(workbooksLeft().isEmpty());
}

void SpreadsheetExportTest::cacheFolderNotWritable() {
    // A file where the folder should be: no one, root included, can create the folder.
    QDir().mkpath(QFileInfo(SpreadsheetExport::exportFolder()).path());
    QFile blocker(SpreadsheetExport::exportFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Fixture f;
    f.addResults({"03053"});
    SpreadsheetExport(f.state, f.platform).PushButton13_Click();
    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages.first().title, QStringLiteral("Application Error"));
    QVERIFY(f.platform.startedPrograms.isEmpty());
}

void SpreadsheetExportTest::windowClosedDuringWrite() {
    Fixture f;
    for (int i = 0; i < 100; ++i)
        f.state.results.append(u"Nashua, NH 03060");
    f.platform.onYield = [&](int yield) { f.platform.closed = yield == 20; };
    QVERIFY_THROWS_EXCEPTION(WindowClosed,
                             SpreadsheetExport(f.state, f.platform).PushButton13_Click());
    QVERIFY(workbooksLeft().isEmpty());
    QVERIFY(f.platform.startedPrograms.isEmpty());
}

QTEST_GUILESS_MAIN(SpreadsheetExportTest)
#include "tst_SpreadsheetExport.moc"
