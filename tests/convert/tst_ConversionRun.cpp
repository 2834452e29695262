// "Start Converting" against the shipped database, driven through the scripted seam:
// rows and their wording, progress, messages, what the user may do during a run, and
// missing or broken databases.

#include "convert/ConversionRun.h"
#include "convert/SaveOption.h"
#include "core/ScopeExit.h"
#include "core/WindowClosed.h"
#include "support/ListTexts.h"
#include "support/ScriptedPlatform.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace {

const QStringList sample{"NEWBURYPORT, MA", "NASHUA , NH", "SPRINGFIELD, MO",
                         "HAVERHILL, MA",   "03053",       "12345"};

struct Fixture {
    explicit Fixture(const QString& database = QStringLiteral(QUELLIST_ZIPBASE))
        : run(state, platform, database) {
        for (const QString& item : SaveOption::itemTexts())
            state.saveOption.appendItem(item);
        state.saveOption.select(SaveOption::SaveCityStateAndZip);
    }

    void add(const QStringList& entries) {
        for (const QString& entry : entries)
            state.entries.append(entry);
    }

    QStringList results() const { return textsOf(state.results); }

    // The progress shown for each entry, as often as the bar showed something new.
    void recordProgress() {
        platform.onYield = [this](int) { recordShownEntry(); };
    }
    void recordShownEntry() {
        const bool entryShown = state.progress.text().startsWith(QStringLiteral("Processing: "));
        const bool changed = progressValues.isEmpty() ||
                             progressValues.last() != state.progress.value() ||
                             progressTexts.last() != state.progress.text();
        if (entryShown && changed) {
            progressValues << state.progress.value();
            progressTexts << state.progress.text();
        }
    }
    // The bar shows this entry: the run is about to look it up.
    std::function<bool()> showing(const QString& entry) {
        return [this, entry] {
            return state.progress.text() == QStringLiteral("Processing: ") + entry;
        };
    }

    WindowState state;
    ScriptedPlatform platform;
    ConversionRun run;
    QList<double> progressValues;
    QStringList progressTexts;
};

} // namespace

class ConversionRunTest : public QObject {
    Q_OBJECT
private slots:
    void sampleEntries();
    void emptyListShowsNoItemsAdded();
    void progressOfFourEntries();
    void entryAppendedDuringRunWaits();
    void optionJustState();
    void optionJustZip();
    void entriesWithoutRows();
    void backslashInProgressText();
    void clickDuringRunIsIgnored();
    void clearResultsDuringRun();
    void optionChangedDuringRunKeepsWording();
    void repeatedEntriesRepeatTheirRows();
    void nearlyEqualEntriesKeepTheirOwnRows();
    void militaryZipsConvert();
    void noOptionSelected();
    void brokenDatabase_data();
    void brokenDatabase();
    void failingQueryReportedOnce();
    void databaseLockedDuringRunEndsIt();
    void closingTheWindowEndsTheRun();
    void throttledYieldsEndAtRest();
    void hostileEntries();
    void commandDuringYieldSeesEveryAppendedRow();
};

void ConversionRunTest::sampleEntries() {
    Fixture f;
    f.add(sample);
    f.state.results.append(u"left over");
    f.recordProgress();
    bool busyDuringRun = true;
    f.platform.onYield = [&, record = f.platform.onYield](int yield) {
        record(yield);
        busyDuringRun = busyDuringRun && f.state.isConverting &&
                        f.state.pointer.value() == MousePointer::Hourglass;
    };
    f.run.PushButton17_Click();

    QStringList expected{"Newburyport, MA 01950"};
    for (const char* zip : {"03060", "03061", "03062", "03063", "03064"})
        expected << QStringLiteral("Nashua, NH ") + zip;
    for (const char* zip : {"65801", "65802", "65803", "65804", "65805", "65806", "65807", "65808",
                            "65809", "65810", "65814", "65817", "65890", "65897", "65898", "65899"})
        expected << QStringLiteral("Springfield, MO ") + zip;
    for (const char* zip : {"01830", "01831", "01832", "01835"})
        expected << QStringLiteral("Haverhill, MA ") + zip;
    expected << "Londonderry, NH 03053"
             << "Schenectady, NY 12345";
    QCOMPARE(f.results(), expected);

    QStringList processing;
    for (const QString& entry : sample)
        processing << QStringLiteral("Processing: ") + entry;
    QCOMPARE(f.progressTexts, processing);
    QVERIFY(busyDuringRun);
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
    QCOMPARE(f.platform.messages.first().title, QStringLiteral("Quellist"));
    QCOMPARE(f.state.pointer.value(), int(MousePointer::Default));
    QCOMPARE(f.state.progress.value(), 0.0);
    QCOMPARE(f.state.progress.text(), QStringLiteral("Progress Bar"));
    QVERIFY(!f.state.isConverting);
}

void ConversionRunTest::emptyListShowsNoItemsAdded() {
    Fixture f;
    f.state.results.append(u"Nashua, NH 03060");
    f.run.PushButton17_Click();
    f.run.PushButton17_Click();
    QCOMPARE(f.platform.messageTexts(), (QStringList{"No items added.", "No items added."}));
    QCOMPARE(f.results(), QStringList{"Nashua, NH 03060"});
    QVERIFY(!f.state.isConverting);
}

void ConversionRunTest::progressOfFourEntries() {
    Fixture f;
    f.add({"03053", "12345", "03060", "NASHUA, NH"});
    f.recordProgress();
    f.run.PushButton17_Click();
    QCOMPARE(f.progressValues, (QList<double>{25, 50, 75, 100}));
}

void ConversionRunTest::entryAppendedDuringRunWaits() {
    Fixture f;
    f.add({"03053", "12345"});
    bool appended = false;
    f.platform.onYield = [&](int) {
        if (!std::exchange(appended, true)) // as soon as the run lets the window act
            f.state.entries.append(u"03060");
        f.recordShownEntry();
    };
    f.run.PushButton17_Click();
    QCOMPARE(f.progressValues.size(), 2);
    QCOMPARE(f.progressValues.at(0), 100.0 / 3.0);
    QCOMPARE(f.progressValues.at(1), 200.0 / 3.0);
    QCOMPARE(f.results(), (QStringList{"Londonderry, NH 03053", "Schenectady, NY 12345"}));
    QCOMPARE(f.state.entries.count(), 3);
}

void ConversionRunTest::optionJustState() {
    Fixture f;
    f.state.saveOption.select(SaveOption::SaveJustState);
    f.add({"NASHUA , NH", "03053"});
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), (QStringList{"NH", "NH"}));
}

void ConversionRunTest::optionJustZip() {
    Fixture f;
    f.state.saveOption.select(SaveOption::SaveJustZip);
    f.add({"coeur d'alene, id", "03053", "00000"});
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), (QStringList{"83814", "83815", "83816", "03053"}));
}

void ConversionRunTest::entriesWithoutRows() {
    Fixture f;
    f.add({"HAVERHILL", "", "NOWHERE, ZZ", " 03053", "03053-1234", "03053"});
    f.recordProgress();
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), QStringList{"Londonderry, NH 03053"});
    QCOMPARE(f.progressTexts.first(), QStringLiteral("Processing: HAVERHILL"));
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
}

void ConversionRunTest::backslashInProgressText() {
    Fixture f;
    f.add({"C:\\lists\\NASHUA, NH"});
    f.recordProgress();
    f.run.PushButton17_Click();
    QCOMPARE(f.progressTexts, QStringList{"Processing: NASHUA, NH"});
    QCOMPARE(f.results().size(), 0); // the city key keeps the folder: no such city
}

void ConversionRunTest::clickDuringRunIsIgnored() {
    Fixture f;
    f.add({"03053", "12345"});
    f.platform.onYield = [&](int) { f.run.PushButton17_Click(); };
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), (QStringList{"Londonderry, NH 03053", "Schenectady, NY 12345"}));
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
}

void ConversionRunTest::clearResultsDuringRun() {
    Fixture f;
    f.add({"03053", "12345", "03060"});
    f.platform.onceWhen(f.showing("12345"), [&] { f.state.results.clear(); });
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), (QStringList{"Schenectady, NY 12345", "Nashua, NH 03060"}));
}

void ConversionRunTest::optionChangedDuringRunKeepsWording() {
    Fixture f;
    f.add({"03053", "12345"});
    f.platform.onYield = [&](int) { f.state.saveOption.select(SaveOption::SaveJustCity); };
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), (QStringList{"Londonderry, NH 03053", "Schenectady, NY 12345"}));
}

void ConversionRunTest::repeatedEntriesRepeatTheirRows() {
    Fixture f;
    f.add({"11760", "NASHUA, NH", "11760", "nashua , nh"});
    f.state.saveOption.select(SaveOption::SaveJustCityAndState);
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), (QStringList{"Islandia, NY", "Melville, NY", "Nashua, NH", "Islandia, NY",
                                       "Melville, NY", "Nashua, NH"}));
}

// Entries that share a piece of their key, or differ only in letter case, each get the
// rows they get on their own: the run answers repeats from memory, never a neighbour's.
void ConversionRunTest::nearlyEqualEntriesKeepTheirOwnRows() {
    const QStringList entries{
        "SPRINGFIELD, MO", "SPRINGFIELD, MA", "springfield, mo", "SPRINGFIELD, IL", "PORTLAND, MA",
        "PORTLAND, ME",    "SPRINGFIELD, MA", "springfield, Ma", "03053",           "3053",
        "PORTLAND, OR",    "SPRINGFIELD, MO"};
    QStringList alone;
    for (const QString& entry : entries) {
        Fixture single;
        single.add({entry});
        single.run.PushButton17_Click();
        alone << single.results();
    }
    Fixture f;
    f.add(entries);
    f.run.PushButton17_Click();
    QCOMPARE(f.results(), alone);
    QVERIFY(!f.results().filter(QStringLiteral("Springfield, MA ")).isEmpty());
    QVERIFY(!f.results().filter(QStringLiteral("Springfield, MO ")).isEmpty());
}

// Military zip codes, which one of the data sets lists without a state, carry the state
// of their prefix in the shipped table: AE, AA and AP.
void ConversionRunTest::militaryZipsConvert() {
    Fixture f;
    f.add({"09025", "34002", "96201", "APO, AP"});
    f.run.PushButton17_Click();
    const QStringList rows = f.results();
    QVERIFY(rows.contains(QStringLiteral("Apo Ae, AE 09025")));
    QVERIFY(rows.contains(QStringLiteral("Dpo, AA 34002")));
    QVERIFY(rows.contains(QStringLiteral("Apo, AP 96201")));
    QVERIFY(rows.filter(QStringLiteral(", AP ")).size() > 10);
}

void ConversionRunTest::noOptionSelected() {
    Fixture f;
    f.add({"03053"});
    f.state.results.append(u"kept");
    f.state.saveOption.select(-1);
    f.run.PushButton17_Click();
    QCOMPARE(f.platform.messageTexts(), QStringList{ConversionRun::noOptionMessage()});
    QCOMPARE(f.results(), QStringList{"kept"});
    QVERIFY(!f.state.isConverting);
}

void ConversionRunTest::brokenDatabase_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sql");
    QTest::newRow("missing") << QByteArray() << QString();
    QTest::newRow("not sqlite") << QByteArray("not a database at all, just some text") << QString();
    QTest::newRow("no ZIP_CODES") << QByteArray() << "CREATE TABLE OTHER (ZIP TEXT);";
}

void ConversionRunTest::brokenDatabase() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sql);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(TestDatabase::place(path, bytes, sql));

    Fixture f(path);
    f.add(sample);
    f.state.results.append(u"previous result");
    f.run.PushButton17_Click();

    QCOMPARE(f.platform.messages.size(), 1);
    const ShownMessage& report = f.platform.messages.first();
    QCOMPARE(report.title, QStringLiteral("Application Error"));
    QVERIFY(report.text.contains(path));
    QVERIFY(report.text.contains(
        QStringLiteral("in Marrowby2021/08/31.Form1.PushButton17_Click at line ")));
    QCOMPARE(f.results(), QStringList{"previous result"});
    QCOMPARE(f.state.pointer.value(), int(MousePointer::Default));
    QCOMPARE(f.state.progress.text(), QStringLiteral("Progress Bar"));
    QVERIFY(!f.state.isConverting);
}

void ConversionRunTest::failingQueryReportedOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(TestDatabase::create(path, TestDatabase::failingForZip99999Sql()));
    Fixture f(path);
    f.add({"99999", "03053", "99999", "NASHUA, NH"});
    f.run.PushButton17_Click();

    QCOMPARE(f.platform.messages.size(), 2);
    QVERIFY(f.platform.messages.at(0).text.contains(QStringLiteral("integer overflow")));
    QCOMPARE(f.platform.messages.at(1).text, QStringLiteral("Done."));
    QCOMPARE(f.results(), (QStringList{"Londonderry, NH 03053", "Nashua, NH 03060"}));
}

// Another program takes the file for itself after it was opened, before the first lookup:
// the run cannot go on with any entry, so it ends with one report naming the file, not
// with one failure for every entry.
void ConversionRunTest::databaseLockedDuringRunEndsIt() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(QUELLIST_ZIPBASE), path));
    sqlite3* holder = nullptr;
    const ScopeExit closeHolder([&] { sqlite3_close(holder); });
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
    Fixture f(path);
    f.add({"03053", "11760", "NASHUA, NH", "12345", "SPRINGFIELD, MO"});
    f.platform.onceWhen(f.showing("03053"), [&] {
        QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    });
    f.run.PushButton17_Click();

    QCOMPARE(f.platform.messages.size(), 1);
    QCOMPARE(f.platform.messages.first().title, QStringLiteral("Application Error"));
    QVERIFY(f.platform.messages.first().text.contains(path));
    QVERIFY(f.platform.messages.first().text.contains(QStringLiteral("locked")));
    QVERIFY(f.results().isEmpty());
    QVERIFY(!f.state.isConverting);
}

void ConversionRunTest::closingTheWindowEndsTheRun() {
    Fixture f;
    f.add(sample);
    f.platform.onceWhen(f.showing("NASHUA , NH"), [&] { f.platform.closed = true; });
    QVERIFY_THROWS_EXCEPTION(WindowClosed, f.run.PushButton17_Click());
    QVERIFY(f.platform.messages.isEmpty());
    QVERIFY(!f.state.isConverting);
}

void ConversionRunTest::throttledYieldsEndAtRest() {
    Fixture f;
    for (int i = 0; i < 50; ++i)
        f.add(sample);
    f.platform.millisecondsPerReading = 1; // a yield only every 15 readings of the clock
    f.recordProgress();
    f.run.PushButton17_Click();
    // The bar moved during the run, but not for every one of the 300 entries.
    QVERIFY(!f.progressValues.isEmpty());
    QVERIFY(f.progressValues.size() < 300);
    QCOMPARE(f.state.results.count(), 50 * 28);
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
    QCOMPARE(f.state.progress.value(), 0.0);
    QCOMPARE(f.state.progress.text(), QStringLiteral("Progress Bar"));
    QCOMPARE(f.state.pointer.value(), int(MousePointer::Default));
}

void ConversionRunTest::commandDuringYieldSeesEveryAppendedRow() {
    Fixture f;
    f.add(sample);
    qsizetype rowsSeen = -1;
    int viewRows = -1;
    // At the fifth entry four entries' rows are in, not yet shown.
    f.platform.onceWhen(f.showing("03053"), [&] {
        rowsSeen = f.state.results.count();
        viewRows = f.state.results.rowCount();
    });
    f.run.PushButton17_Click();
    QCOMPARE(rowsSeen, 1 + 5 + 16 + 4);
    QCOMPARE(viewRows, 0); // the views learn of them when the event loop runs
    QCoreApplication::processEvents();
    QCOMPARE(f.state.results.rowCount(), 28);
}

void ConversionRunTest::hostileEntries() {
    Fixture f;
    f.add({QString(1 << 20, u'9'), QString(1 << 20, u'x') + QStringLiteral(", NH")});
    for (int i = 0; i < 10000; ++i)
        f.state.entries.append(u",");
    f.add({QString::fromUtf16(u"\u0000\u0001\t\r\n, \u001b[2J"), QStringLiteral("03053")});
    f.run.PushButton17_Click();
    QCOMPARE(f.platform.messageTexts(), QStringList{"Done."});
    QCOMPARE(f.results(), QStringList{"Londonderry, NH 03053"});
}

QTEST_GUILESS_MAIN(ConversionRunTest)
#include "tst_ConversionRun.moc"
