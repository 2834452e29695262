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
#include "support/TestFiles.h"

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
    for (const auto& row : sheets.at(sheet).toObject().value("rows").toArray()) {
        QStringList cells;
        for (const auto& cell : row.toArray())
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
    void failures_data();
    void failures();
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
    TableSource table;
    table.headers = {"City", "Formula"};
    table.rowCells = {{"=Rye", "=SUM(A1)"}, {"Salem", "a=b=c"}, {"Nashua", "=x"}};
    table.checks = {true, false, true};
    const QString path = dir.filePath(QStringLiteral("table.xlsx"));
    OutputTarget target(path);
    WorkbookWriter().write(table, target);
    target.commit();
    QCOMPARE(rowsOf(readWorkbook(path), 0),
             (QStringList{"City:s|Formula:s", "=Rye:s|SUM(A1):s", "", "Nashua:s|x:s"}));
}

void SpreadsheetExportTest::rowsPastTheLimitGoOnNextSheet() {
    Fixture f;
    f.addResults({"1", "2", "Nashua, NH 03060", "4", "5"});
    SpreadsheetExport(f.state, f.platform, 3).PushButton13_Click(); // a header and two rows
    const QJsonArray sheets = readWorkbook(f.startedWorkbook());
    QCOMPARE(sheets.size(), 3);
    QCOMPARE(rowsOf(sheets, 0), (QStringList{"Results:s", "1:s", "2:s"}));
    QCOMPARE(rowsOf(sheets, 1), (QStringList{"Results:s", "Nashua, NH 03060:s", "4:s"}));
    QCOMPARE(rowsOf(sheets, 2), (QStringList{"Results:s", "5:s"}));
    // Every sheet's column fitted to the longest text of the whole list.
    for (const auto& sheet : sheets)
        QCOMPARE(sheet.toObject().value("widths").toObject(), (QJsonObject{{"A", 18.28515625}}));
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

// Faults met on the way to the spreadsheet program: one report at PushButton13_Click, or
// none when the window closes; the pointer at rest and no workbook left behind.
void SpreadsheetExportTest::failures_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("reports");
    QTest::newRow("the program fails to start") << "start" << 1;
    QTest::newRow("the cache folder cannot be made") << "folder" << 1;
    QTest::newRow("the window closes during the write") << "close" << 0;
}

void SpreadsheetExportTest::failures() {
    QFETCH(QString, fault);
    QFETCH(int, reports);
    Fixture f;
    for (int i = 0; i < 100; ++i)
        f.state.results.append(u"Nashua, NH 03060");
    if (fault == QStringLiteral("start")) {
        f.platform.startProgramFails = true;
    } else if (fault == QStringLiteral("folder")) {
        // A file where the folder should be: no one, root included, can create the folder.
        QDir().mkpath(QFileInfo(SpreadsheetExport::exportFolder()).path());
        QVERIFY(writeFile(SpreadsheetExport::exportFolder(), "in the way"));
    } else if (fault == QStringLiteral("close")) {
        f.platform.onceWhen([&] { return f.state.pointer.busy(); },
                            [&] { f.platform.closed = true; });
    }
    const auto exportResults = [&] { SpreadsheetExport(f.state, f.platform).PushButton13_Click(); };
    if (fault == QStringLiteral("close"))
        QVERIFY_THROWS_EXCEPTION(WindowClosed, exportResults());
    else
        exportResults();
    QCOMPARE(f.platform.messages.size(), reports);
    if (reports > 0) {
        QCOMPARE(f.platform.messages.first().title, QStringLiteral("Application Error"));
        QVERIFY(f.platform.messages.first().text.contains(
            QStringLiteral("in Marrowby2021/08/31.Form1.PushButton13_Click at line ")));
    }
    QCOMPARE(f.state.pointer.value(), 0);
    QVERIFY(workbooksLeft().isEmpty());
    QVERIFY(f.platform.startedPrograms.isEmpty());
}

QTEST_GUILESS_MAIN(SpreadsheetExportTest)
#include "tst_SpreadsheetExport.moc"
