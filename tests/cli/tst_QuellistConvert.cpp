// quellist-convert as a script runs it: the same rows as the window for the same list
// files (clipboard text and aligned text file, byte for byte, for every save option), csv
// and workbooks read back by other readers, and the exit status of every failure.

#include "convert/ConversionRun.h"
#include "convert/SaveOption.h"
#include "core/ScopeExit.h"
#include "core/WindowState.h"
#include "entries/ListFileImport.h"
#include "output/AlignedTextSave.h"
#include "output/ClipboardText.h"
#include "support/ConvertProcess.h"
#include "support/ScriptedPlatform.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>

namespace {

using Result = ConvertResult;

Result convert(const QStringList& arguments, const QByteArray& input = {}) {
    return runConvert(QStringLiteral(QUELLIST_CONVERT), arguments, input);
}

const QStringList saveNames{"city-state-zip", "city", "state", "zip", "city-state"};

// The window's answer for list files and a save option: the clipboard text and the text file.
struct WindowAnswer {
    QByteArray clipboard;
    QByteArray textFile;
};

WindowAnswer windowAnswer(const QStringList& files, int option, const QString& scratch) {
    WindowState state;
    ScriptedPlatform platform;
    state.entries.addColumnHeader(QStringLiteral("Zip Codes Or City, States"));
    state.results.addColumnHeader(QStringLiteral("Results"));
    for (const QString& item : SaveOption::itemTexts())
        state.saveOption.appendItem(item);
    state.saveOption.select(option);
    ListFileImport import(state, platform);
    for (const QString& file : files)
        import.FileToListview(state.entries, file);
    if (state.entries.count() > 0)
        ConversionRun(state, platform, QStringLiteral(QUELLIST_ZIPBASE)).PushButton17_Click();
    WindowAnswer answer;
    answer.clipboard = ClipboardText::of(state.results).toUtf8();
    const QString path = scratch + QStringLiteral("/window.txt");
    AlignedTextSave(platform, nullptr).SaveListviewProperlySpaced(state.results, path);
    answer.textFile = readFile(path);
    return answer;
}

// A list long enough to cross the reader's blocks, with both line ends the window and the
// converter read alike (CR LF, CR), tabs, lower case, short zips, UTF-8 beyond ASCII and
// entries that match nothing.
QByteArray longMixedList() {
    const QByteArray lines[] = {"03053\r\n",
                                "new york, ny\r",
                                "1001\r\n",
                                "\tSpringfield, MO\r\n",
                                "Coeur d'Alene, ID\r\n",
                                "S\xC3\xA3o Paulo, SP\r\n",
                                "99999\r\n",
                                "Nashua,NH\r\n",
                                "  Salem, MA  \r\n"};
    QByteArray list;
    for (int i = 0; list.size() < 2'500'000; ++i)
        list += lines[i % std::size(lines)];
    return list;
}

// Records of csv (RFC 4180: quoted fields, doubled quotes, CR LF) or tsv output.
QList<QStringList> records(const QByteArray& bytes, bool csv) {
    QList<QStringList> all;
    QStringList record;
    QString field;
    bool quoted = false;
    const QString text = QString::fromUtf8(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
            field += text[++i];
        else if (csv && c == u'"')
            quoted = !quoted;
        else if (!quoted && c == (csv ? u',' : u'\t'))
            record << std::exchange(field, {});
        else if (!quoted && c == u'\n') {
            record << std::exchange(field, {});
            all << std::exchange(record, {});
        } else if (quoted || c != u'\r')
            field += c;
    }
    return all;
}

// The rows csv or tsv records give, worded as the save option words them from the fields
// it fetches: the records' columns after the entry, in its order, none other and none empty.
QByteArray rowsOfRecords(const QList<QStringList>& all, int option) {
    QByteArray rows;
    const SaveOptionInfo& save = SaveOption::at(option);
    QStringList header{"entry"};
    for (const SaveOptionInfo::Part& part : save.parts)
        header << QString::fromLatin1(infoOf(part.field).header);
    if (all.value(0) != header)
        return "another header: " + all.value(0).join(u'|').toUtf8();
    for (const QStringList& record : all.mid(1)) {
        QString row;
        for (std::size_t i = 0; i < save.parts.size(); ++i) {
            if (record.value(qsizetype(i) + 1).isEmpty())
                return "an empty field: " + record.join(u'|').toUtf8();
            row += record.value(qsizetype(i) + 1) + QLatin1String(save.parts[i].after);
        }
        rows += row.toUtf8() + "\r\n";
    }
    return rows;
}

} // namespace

class QuellistConvertTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void sameRowsAsTheWindow_data();
    void sameRowsAsTheWindow();
    void csvReadBack();
    void workbookReadBack();
    void unmatchedEntriesAndSummary();
    void failures_data();
    void failures();
    void readingRules_data();
    void readingRules();
    void standardStreamsNamedAsFiles();
    void outOfMemoryKeepsTheOldFile();
    void killedRunKeepsTheOldFile();
    void databaseLockedDuringRun();
    void closedPipeEndsQuietly_data();
    void closedPipeEndsQuietly();
    void versionNamesTheZipData();
    void helpIsWhole();
    void manualNamesEveryOption();
    void fields_data();
    void fields();
    void tables_data();
    void tables();
    void tableFailures_data();
    void tableFailures();
    void workedExamples();
    void pipeGivesTheBytesOfTheFile();
    void parallelBlocksGiveTheRowsOfTheWhole();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
};

void QuellistConvertTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
}

void QuellistConvertTest::sameRowsAsTheWindow_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("option");
    const QString imports = QStringLiteral(QUELLIST_TEST_DATA "/import/");
    // The window and the converter read a line feed alone differently: those lists are not
    // compared here (the reading rules' own tests have them).
    QStringList ruleFiles;
    for (const QString& file : QDir(imports).entryList({QStringLiteral("*.txt")}, QDir::Files))
        if (!readFile(imports + file).replace("\r\n", "").contains('\n'))
            ruleFiles << file;
    QStringList all;
    for (const QString& file : ruleFiles)
        all << imports + file;
    for (int option = 0; option < 5; ++option) {
        QTest::addRow("every import rule file, %s", qPrintable(saveNames[option])) << all << option;
        QTest::addRow("long mixed list, %s", qPrintable(saveNames[option]))
            << QStringList{QStringLiteral("LONG")} << option;
    }
    for (const QString& file : ruleFiles)
        QTest::addRow("%s", qPrintable(file)) << QStringList{imports + file} << 0;
}

void QuellistConvertTest::sameRowsAsTheWindow() {
    QFETCH(QStringList, files);
    QFETCH(int, option);
    const bool longList = files == QStringList{QStringLiteral("LONG")};
    if (longList) {
        QVERIFY(writeFile(path("long.txt"), longMixedList()));
        files = QStringList{path("long.txt")};
    }
    const WindowAnswer window = windowAnswer(files, option, dir_->path());
    const QStringList save{QStringLiteral("--save"), saveNames[option], QStringLiteral("-q")};
    const Result rows = convert(save + files);
    QCOMPARE(rows.status, 0);
    QCOMPARE(rows.out, window.clipboard);
    const Result aligned =
        convert(save + QStringList{QStringLiteral("--format"), "aligned"} + files);
    QCOMPARE(aligned.status, 0);
    QCOMPARE(aligned.out, window.textFile);
    if (longList)
        return; // its hundreds of megabytes of records would only repeat the rule files' checks
    for (const bool csv : {true, false}) { // every field in its own column, none in another's
        const Result records = convert(save + QStringList{"--format", csv ? "csv" : "tsv"} + files);
        QCOMPARE(records.status, 0);
        QCOMPARE(rowsOfRecords(::records(records.out, csv), option), window.clipboard);
    }
}

void QuellistConvertTest::csvReadBack() {
    QVERIFY(writeFile(path("list.txt"), "Coeur d'Alene, ID\r\n03053\r\nnowhere\r\n"));
    const Result csv = convert({"--format", "csv", "-q", "-o", path("out.csv"), path("list.txt")});
    QCOMPARE(csv.status, 0);
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {"-c",
                  "import csv,sys\nfor r in csv.reader(open(sys.argv[1], newline='')): "
                  "print('|'.join(r))",
                  path("out.csv")});
    QVERIFY(python.waitForFinished());
    const QStringList records = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
    QCOMPARE(records.value(0), QStringLiteral("entry|city|state|zip"));
    QCOMPARE(records.value(1), QStringLiteral("COEUR D'ALENE, ID|Coeur D'alene|ID|83814"));
    QVERIFY(records.contains(QStringLiteral("03053|Londonderry|NH|03053")));
    QVERIFY(!records.join(u'\n').contains(QStringLiteral("NOWHERE")));
}

void QuellistConvertTest::workbookReadBack() {
    QVERIFY(writeFile(path("list.txt"), "03053\r\n"));
    const Result made = convert(
        {"--format", "xlsx", "--save", "zip", "-q", "-o", path("out.xlsx"), path("list.txt")});
    QCOMPARE(made.status, 0);
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(QUELLIST_READ_WORKBOOK), path("out.xlsx")});
    QVERIFY(reader.waitForFinished(60000));
    const QJsonArray sheets = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    const QJsonArray rows = sheets.at(0).toObject().value(QStringLiteral("rows")).toArray();
    QCOMPARE(rows.at(0).toArray().at(0).toArray().at(0).toString(), QStringLiteral("Results"));
    const QJsonArray zip = rows.at(1).toArray().at(0).toArray();
    QCOMPARE(zip.at(0).toString(), QStringLiteral("03053")); // text: the zero stays
    QCOMPARE(zip.at(1).toString(), QStringLiteral("s"));
}

void QuellistConvertTest::unmatchedEntriesAndSummary() {
    const Result result = convert({"--unmatched", path("unmatched.txt"), "--strict", "-"},
                                  "03053\r\nnowhere\r\n\r\nBoston, MA\r\n");
    QCOMPARE(result.status, 1);
    QCOMPARE(readFile(path("unmatched.txt")),
             QByteArray("standard input:2\tNOWHERE\nstandard input:3\t00000\n"));
    QVERIFY2(result.err.contains("4 entries read, 2 converted, 2 unmatched"), result.err);
    QCOMPARE(convert({"-q", "-"}, "nowhere\r\n").status, 0); // without --strict
    QCOMPARE(convert({"-q", "--strict", "-"}, "03053\r\nnowhere\r\n").status, 1); // just one
}

void QuellistConvertTest::failures_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QByteArray list = "03053\r\n";
    QTest::newRow("unknown option")
        << QStringList{"--colour"} << list << 2 << "usage: quellist-convert";
    QTest::newRow("bad save") << QStringList{"--save", "county"} << list << 2
                              << "--save takes one of";
    QTest::newRow("xlsx to a pipe")
        << QStringList{"--format", "xlsx", "-o", "-"} << list << 2 << "-o FILE";
    QTest::newRow("missing database") << QStringList{"--database", "/nonexistent/zipbase.mdb"}
                                      << list << 3 << "/nonexistent/zipbase.mdb";
    QTest::newRow("broken database")
        << QStringList{"--database", "BROKEN", "GOOD"} << list << 3 << "BROKEN";
    QTest::newRow("missing input")
        << QStringList{"/nonexistent/list.txt"} << list << 4 << "Cannot read /nonexistent/list.txt";
    QTest::newRow("a good and a missing input")
        << QStringList{"GOOD", "/nonexistent/list.txt"} << list << 4 << "Cannot read /nonexistent";
    QTest::newRow("workbook of a missing input")
        << QStringList{"--format", "xlsx", "/nonexistent/list.txt"} << list << 4 << "Cannot read";
    QTest::newRow("binary input") << QStringList{"BINARY"} << list << 4 << "binary data";
    QTest::newRow("endless binary device")
        << QStringList{"/dev/zero"} << list << 4 << "/dev/zero is not a list file";
    QTest::newRow("binary pipe") << QStringList{"-"} << QByteArray(3 << 20, '\0') << 4
                                 << "standard input is not a list file";
    QTest::newRow("full device") << QStringList{"-o", "/dev/full", "-"} << list << 4 << "/dev/full";
    QTest::newRow("folder as output")
        << QStringList{"-o", "/", "-"} << list << 4 << "Cannot create /: it is a folder";
}

// A run that fails commits nothing: old output files stay whole, no other file is left.
void QuellistConvertTest::failures() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, message);
    QVERIFY(writeFile(path("broken.mdb"), "this is no database"));
    QVERIFY(writeFile(path("binary.txt"), QByteArray("AB\0CD\r\n", 7)));
    QVERIFY(writeFile(path("good.txt"), "03053\r\nnowhere\r\n"));
    QVERIFY(writeFile(path("old.txt"), "yesterday's rows"));
    QVERIFY(writeFile(path("old-unmatched.txt"), "yesterday's misses"));
    const QStringList before = QDir(dir_->path()).entryList(QDir::Files);
    arguments.replaceInStrings(QStringLiteral("BROKEN"), path("broken.mdb"));
    arguments.replaceInStrings(QStringLiteral("BINARY"), path("binary.txt"));
    arguments.replaceInStrings(QStringLiteral("GOOD"), path("good.txt"));
    message.replace(QStringLiteral("BROKEN"), path("broken.mdb"));
    if (!arguments.contains(QStringLiteral("-o")))
        arguments << "-o" << path("old.txt");
    arguments << "--unmatched" << path("old-unmatched.txt");
    const Result result = convert(arguments, input);
    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(message.toUtf8()), result.err);
    QCOMPARE(readFile(path("old.txt")), QByteArray("yesterday's rows"));
    QCOMPARE(readFile(path("old-unmatched.txt")), QByteArray("yesterday's misses"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), before);
    QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists() &&
            !QFileInfo(QStringLiteral("/dev/full")).isFile());
}

// Lists made on Linux end their lines with LF; the converter reads them as it reads CR LF.
void QuellistConvertTest::readingRules_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("LF ends a line") << QStringList() << QByteArray("501\n02134\n")
                                    << QByteArray("Holtsville, NY 00501\r\nAllston, MA 02134\r\n")
                                    << QByteArray("2 entries read, 2 converted, 0 unmatched");
    QTest::newRow("a last line end adds no entry")
        << QStringList() << QByteArray("501\r\n") << QByteArray("Holtsville, NY 00501\r\n")
        << QByteArray("1 entry read");
    QTest::newRow("CR alone ends a line")
        << QStringList() << QByteArray("501\r02134")
        << QByteArray("Holtsville, NY 00501\r\nAllston, MA 02134\r\n")
        << QByteArray("2 entries read");
    QTest::newRow("CR, then LF ends a line")
        << QStringList() << QByteArray("03053\rnashua, nh\n501\n")
        << QByteArray("Londonderry, NH 03053\r\nNashua, NH 03060\r\nNashua, NH 03061\r\n"
                      "Nashua, NH 03062\r\nNashua, NH 03063\r\nNashua, NH 03064\r\n"
                      "Holtsville, NY 00501\r\n")
        << QByteArray("3 entries read, 3 converted, 0 unmatched");
    QTest::newRow("--loose: two places each, in the order of their names")
        << QStringList{"--loose"} << QByteArray("MT. BALDY, CA\nST. JOHN, KS\n")
        << QByteArray("Mount Baldy, CA 91759\r\nMt Baldy, CA 91759\r\nSaint John, KS "
                      "67576\r\nSt John, KS 67576\r\n")
        << QByteArray("2 entries read, 2 converted");
    QTest::newRow("ZIP+4 codes read as their zip")
        << QStringList() << QByteArray("03053-1234\n 030531234 \n0305-31234\n03053-12345\n")
        << QByteArray("Londonderry, NH 03053\r\nLondonderry, NH 03053\r\n")
        << QByteArray("4 entries read, 2 converted, 2 unmatched");
    QTest::newRow("a line longer than any entry")
        << QStringList() << QByteArray(70000, 'a') + "\n501\n"
        << QByteArray("Holtsville, NY 00501\r\n")
        << QByteArray("standard input:1: the line is longer than 65536 characters, which no "
                      "entry is; it was skipped\nquellist-convert: 2 entries read, 1 converted, 1 "
                      "unmatched, 1 row written\n");
    // The header is the widest cell of the aligned text, and sets the width.
    QTest::newRow("aligned, the header widest")
        << QStringList{"--save", "state", "--format", "aligned"} << QByteArray("03053\r\n")
        << readFile(QStringLiteral(QUELLIST_TEST_DATA "/export/header-widest.txt")).left(20)
        << QByteArray("1 entry read");
}

void QuellistConvertTest::readingRules() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, rows);
    QFETCH(QByteArray, message);
    const Result result = convert(arguments << "-", input);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, rows);
    QVERIFY2(result.err.contains(message), result.err);
}

// Names that lead to the converter's own standard streams are written in place, so
// nothing written to the stream is lost; "-" is standard output.
void QuellistConvertTest::standardStreamsNamedAsFiles() {
    QVERIFY(writeFile(path("list.txt"), "03053\r\nnowhere\r\n"));
    const auto shell = [&](const QString& command) {
        QProcess bash;
        bash.setWorkingDirectory(dir_->path());
        bash.start(QStringLiteral("bash"), {"-c", command, QStringLiteral(QUELLIST_CONVERT)});
        bash.waitForFinished(60000);
        return bash.exitCode();
    };
    QCOMPARE(shell("\"$0\" list.txt --unmatched /dev/stdout > out.txt"), 0);
    QCOMPARE(readFile(path("out.txt")),
             QByteArray("Londonderry, NH 03053\r\nlist.txt:2\tNOWHERE\n"));
    QCOMPARE(shell("\"$0\" list.txt -o /dev/stderr 2> err.txt"), 0);
    const QByteArray err = readFile(path("err.txt"));
    QVERIFY2(err.startsWith("Londonderry, NH 03053\r\n") && err.contains("2 entries read"), err);
    QCOMPARE(shell("\"$0\" -q list.txt -o - > out.txt"), 0);
    QCOMPARE(readFile(path("out.txt")), QByteArray("Londonderry, NH 03053\r\n"));
    QVERIFY(!QFileInfo::exists(path("-")));
}

// Memory running out: one line, status 4, the old output whole. A results list of
// twenty million rows cannot fit under the limit, whatever the program needs to start.
void QuellistConvertTest::outOfMemoryKeepsTheOldFile() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer reserves more address space than the limit allows");
#endif
    QVERIFY(writeFile(path("old.txt"), "yesterday's rows"));
    QProcess bash;
    bash.setWorkingDirectory(dir_->path());
    bash.start(QStringLiteral("bash"),
               {"-c",
                "yes 03053 | head -n 20000000 | (ulimit -v 120000; \"$0\" -q --format "
                "aligned -o old.txt)",
                QStringLiteral(QUELLIST_CONVERT)});
    QVERIFY(bash.waitForFinished(120000));
    QCOMPARE(bash.exitCode(), 4);
    const QByteArray err = bash.readAllStandardError();
    QVERIFY2(err.startsWith("quellist-convert: ") && err.count('\n') == 1, err);
    QCOMPARE(readFile(path("old.txt")), QByteArray("yesterday's rows"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{"old.txt"});
}

// The reader of standard output gone (| head): every format ends at once, quietly, with
// status 0. (A workbook is never written to a pipe: it needs -o FILE.)
void QuellistConvertTest::closedPipeEndsQuietly_data() {
    QTest::addColumn<QString>("format");
    for (const char* format : {"rows", "aligned", "csv", "tsv"})
        QTest::newRow(format) << QString::fromLatin1(format);
}

void QuellistConvertTest::closedPipeEndsQuietly() {
    QFETCH(QString, format);
    QVERIFY(writeFile(path("long.txt"), longMixedList()));
    QProcess shell;
    shell.start(QStringLiteral("bash"),
                {"-c",
                 "\"$0\" --format \"$2\" \"$1\" | head -n 1 >/dev/null; echo \"${PIPESTATUS[0]}\"",
                 QStringLiteral(QUELLIST_CONVERT), path("long.txt"), format});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.readAllStandardOutput().trimmed(), QByteArray("0"));
    QCOMPARE(shell.readAllStandardError(), QByteArray());
}

// Killed while it writes -o from a long pipe: the old file is whole and no temporary file
// is left beside it.
void QuellistConvertTest::killedRunKeepsTheOldFile() {
    QVERIFY(writeFile(path("old.txt"), "yesterday's rows"));
    QProcess converter;
    converter.start(QStringLiteral(QUELLIST_CONVERT), {"-q", "-o", path("old.txt")});
    QVERIFY(converter.waitForStarted());
    const QByteArray block = QByteArray("03053\r\nBoston, MA\r\n").repeated(50000);
    for (int i = 0; i < 20; ++i) { // megabytes of rows are out of its hands by now
        converter.write(block);
        QVERIFY(converter.waitForBytesWritten(10000));
    }
    converter.kill();
    QVERIFY(converter.waitForFinished());
    QCOMPARE(readFile(path("old.txt")), QByteArray("yesterday's rows"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.txt"});
}

// The database locked by another program once the run has it open and checked: status 3,
// as for any fault of the database, not 4.
void QuellistConvertTest::databaseLockedDuringRun() {
    const QString database = path("zipbase.mdb");
    QVERIFY(QFile::copy(QStringLiteral(QUELLIST_ZIPBASE), database));
    QProcess converter;
    converter.start(QStringLiteral(QUELLIST_CONVERT), {"-q", "--database", database, "-"});
    QVERIFY(converter.waitForStarted());
    // Waiting in read(2) on standard input for its first entry: the database is open, its
    // checks are over, and no lookup holds a lock yet.
    const QString call = QStringLiteral("/proc/%1/syscall").arg(converter.processId());
    QTRY_VERIFY_WITH_TIMEOUT(readFile(call).startsWith("0 0x0 "), 30000);
    sqlite3* holder = nullptr;
    const ScopeExit closeHolder([&] { sqlite3_close(holder); });
    QCOMPARE(sqlite3_open(database.toUtf8().constData(), &holder), SQLITE_OK);
    QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    converter.write("03053\r\n");
    converter.closeWriteChannel();
    QVERIFY(converter.waitForFinished(30000));
    QCOMPARE(converter.exitCode(), 3);
    QVERIFY(converter.readAllStandardError().contains("locked"));
}

// --version says how old the zip data is and where it comes from: data/SOURCES, whole.
void QuellistConvertTest::versionNamesTheZipData() {
    QFile sources(QStringLiteral(QUELLIST_ZIP_SOURCES));
    QVERIFY(sources.open(QIODevice::ReadOnly));
    const Result version = convert({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QVERIFY(version.out.startsWith("quellist-convert "));
    QVERIFY2(version.out.contains(sources.readAll()), version.out.constData());
}

// --help whole: a line lost from the option table (a format, an exit status) shows here.
void QuellistConvertTest::helpIsWhole() {
    const Result help = convert({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QCOMPARE(help.out, readFile(QStringLiteral(QUELLIST_TEST_DATA "/cli/help.txt")));
}

// The manual's OPTIONS name every option --help names, and no other: the two cannot drift.
void QuellistConvertTest::manualNamesEveryOption() {
    const auto namesIn = [](const QStringList& lines) {
        static const QRegularExpression name(QStringLiteral("(?<![\\w-])--?[a-z][a-z-]*"));
        QStringList names;
        for (const QString& line : lines)
            for (const QRegularExpressionMatch& match : name.globalMatch(line))
                names << match.captured();
        names.removeDuplicates();
        names.sort();
        return names;
    };
    const QString manual = QString::fromUtf8(readFile(QStringLiteral(QUELLIST_MANUAL)))
                               .replace(QStringLiteral("\\-"), QStringLiteral("-"))
                               .remove(QRegularExpression(QStringLiteral("\\\\f[RBIP]")))
                               .section(QStringLiteral(".SH OPTIONS\n"), 1)
                               .section(QStringLiteral("\n.SH "), 0, 0);
    QStringList manualHeadings; // the line after each .TP
    const QStringList manualLines = manual.split(u'\n');
    for (qsizetype i = 1; i < manualLines.size(); ++i)
        if (manualLines[i - 1] == QStringLiteral(".TP"))
            manualHeadings << manualLines[i];
    QStringList helpHeadings; // the names column of each option's first line
    for (const QString& line : QString::fromUtf8(convert({"--help"}).out).split(u'\n'))
        if (line.startsWith(QStringLiteral("  -")))
            helpHeadings << line.left(21);
    QVERIFY(namesIn(helpHeadings).size() >= 17);
    QCOMPARE(namesIn(manualHeadings), namesIn(helpHeadings));
}

// --fields: the fields of csv, tsv and table output in the order given, from every column
// of the zip table; refused with the formats it cannot shape, and by a database without
// the column a field needs (one with the window's three columns serves every other run).
void QuellistConvertTest::fields_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("message");
    const QStringList attributes{"--fields", "zip,county,county_fips,latitude,longitude"};
    QTest::newRow("csv, in the order given")
        << QStringList{"--format", "csv"} + attributes << QByteArray("03053\n") << 0
        << QByteArray("entry,zip,county,county_fips,latitude,longitude\r\n"
                      "03053,03053,Rockingham,33015,42.8656,-71.3772\r\n")
        << QString();
    QTest::newRow("tsv, the city in proper case, a county beyond ASCII")
        << QStringList{"--format", "tsv", "--fields", "longitude,city,county"}
        << QByteArray("87936\n") << 0
        << QByteArray("entry\tlongitude\tcity\tcounty\n87936\t-107.2704\tGarfield\tDo\xC3\xB1"
                      "a Ana\n")
        << QString();
    QTest::newRow("a table's appended fields, a ZIP+4 column")
        << QStringList{"--column", "zip", "--fields", "latitude,longitude"}
        << QByteArray("id,zip\r\n7,03053-1234\r\n") << 0
        << QByteArray("id,zip,latitude,longitude\r\n7,03053-1234,42.8656,-71.3772\r\n")
        << QString();
    QTest::newRow("time zones; a point in another continent is none")
        << QStringList{"--format", "csv", "--fields", "zip,timezone,latitude,longitude"}
        << QByteArray("86044\n86040\n97910\n32401\n00601\n96799\n10200\n") << 0
        << QByteArray("entry,zip,timezone,latitude,longitude\r\n"
                      "86044,86044,America/Denver,36.7093,-110.8411\r\n"
                      "86040,86040,America/Phoenix,36.9147,-111.4558\r\n"
                      "97910,97910,America/Boise,42.8801,-117.281\r\n"
                      "32401,32401,America/Chicago,30.1606,-85.6494\r\n"
                      "00601,00601,America/Puerto_Rico,18.16,-66.72\r\n"
                      "96799,96799,Pacific/Pago_Pago,-14.27,-170.7\r\n"
                      "10200,10200,,,\r\n")
        << QString();
    QTest::newRow("a military zip at 0,0 has no point, and no neighbours at 0,0")
        << QStringList{"--within", "5",        "--format",
                       "csv",      "--fields", "zip,latitude,longitude,distance"}
        << QByteArray("09002\n") << 0 << QByteArray("entry,zip,latitude,longitude,distance\r\n")
        << QString();
    for (const char* format : {"rows", "aligned", "xlsx"})
        QTest::addRow("refused with %s", format)
            << QStringList{"--format", format, "-o", "OUT", "--fields", "county"}
            << QByteArray("03053\n") << 2 << QByteArray()
            << "--fields chooses the fields of csv, tsv and geojson output";
    QTest::newRow("an unknown name")
        << QStringList{"--format", "csv", "--fields", "zip,country"} << QByteArray("03053\n") << 2
        << QByteArray()
        << "--fields takes names from zip, city, state, county, county_fips, latitude, "
           "longitude, timezone, distance, each once, not \"country\"";
    QTest::newRow("a name twice")
        << QStringList{"--format", "csv", "--fields", "zip,zip"} << QByteArray("03053\n") << 2
        << QByteArray()
        << "--fields takes names from zip, city, state, county, county_fips, latitude, "
           "longitude, timezone, distance, each once, not \"zip\"";
    QTest::newRow("a database without the column")
        << QStringList{"--database", "THREE", "--format", "csv", "--fields", "zip,county"}
        << QByteArray("03053\n") << 3 << QByteArray() << "the table ZIP_CODES has no column COUNTY";
    QTest::newRow("the window's three columns serve the rest")
        << QStringList{"--database", "THREE", "--format", "csv"} << QByteArray("03053\n") << 0
        << QByteArray("entry,city,state,zip\r\n03053,Londonderry,NH,03053\r\n") << QString();
}

void QuellistConvertTest::fields() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QByteArray, output);
    QFETCH(QString, message);
    QVERIFY(TestDatabase::create(
        path("three.mdb"), QStringLiteral("CREATE TABLE ZIP_CODES (ZIP TEXT, CITY TEXT, STATE "
                                          "TEXT); INSERT INTO ZIP_CODES VALUES ('03053', "
                                          "'LONDONDERRY', 'NH');")));
    arguments.replaceInStrings(QStringLiteral("THREE"), path("three.mdb"));
    arguments.replaceInStrings(QStringLiteral("OUT"), path("out"));
    const Result result = convert(arguments << "-q"
                                            << "-",
                                  input);
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, output);
    QVERIFY2(message.isEmpty() ? result.err.isEmpty() : result.err.contains(message.toUtf8()),
             result.err);
}

// Tables: the records kept whole and in order, one for each row, the header extended.
void QuellistConvertTest::tables_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    const QByteArray customers = "id,zip\r\n7,03053\r\n8,99999\r\n9,\"1001\"\r\n";
    QTest::newRow("a column by name")
        << QStringList{"--column", "zip"} << customers
        << QByteArray("id,zip,city,state,zip_2\r\n7,03053,Londonderry,NH,03053\r\n"
                      "9,1001,Agawam,MA,01001\r\n");
    QTest::newRow("a column by number, unmatched kept, a save option's columns")
        << QStringList{"--column", "2", "--keep-unmatched", "--save", "city"} << customers
        << QByteArray("id,zip,city\r\n7,03053,Londonderry\r\n8,99999,\r\n9,1001,Agawam\r\n");
    QTest::newRow("a name in other letter case, a BOM, LF line ends")
        << QStringList{"--column", " ZIP "} << QByteArray("\xEF\xBB\xBFid,Zip\n1,03053\n")
        << QByteArray("id,Zip,city,state,zip_2\r\n1,03053,Londonderry,NH,03053\r\n");
    QTest::newRow("city and state columns, one record for each row")
        << QStringList{"--city-column", "town", "--state-column", "st", "--save", "zip"}
        << QByteArray("town,st\r\nCoeur d'Alene,id\r\n")
        << QByteArray("town,st,zip\r\nCoeur d'Alene,id,83814\r\nCoeur d'Alene,id,83815\r\n"
                      "Coeur d'Alene,id,83816\r\n");
    QTest::newRow("fields that need quotes are quoted again")
        << QStringList{"--column", "1", "--save", "state"}
        << QByteArray("zip,note\r\n03053,\"a, \"\"b\"\"\r\nc\"\r\n")
        << QByteArray("zip,note,state\r\n03053,\"a, \"\"b\"\"\r\nc\",NH\r\n");
    QTest::newRow("tsv in, csv out")
        << QStringList{"--column", "1",   "--input-format", "tsv",
                       "--format", "csv", "--save",         "state"}
        << QByteArray("zip\tnote\n03053\t\"x, y\"\n")
        << QByteArray("zip,note,state\r\n03053,\"\"\"x, y\"\"\",NH\r\n");
    QTest::newRow("csv in, tsv out: no tab or line end inside a field")
        << QStringList{"--column", "1", "--format", "tsv", "--save", "state"}
        << QByteArray("zip,note\r\n03053,\"a\tb\r\nc\"\r\n")
        << QByteArray("zip\tnote\tstate\n03053\ta b  c\tNH\n");
    QTest::newRow("no header") << QStringList{"--column", "2", "--no-header", "--save", "state"}
                               << QByteArray("7,03053\r\n") << QByteArray("7,03053,NH\r\n");
    QTest::newRow("Windows-1252 fields come out as UTF-8")
        << QStringList{"--column", "1", "--save", "state"}
        << QByteArray("zip,name\r\n03053,Jos\xE9\r\n")
        << QByteArray("zip,name,state\r\n03053,Jos\xC3\xA9,NH\r\n");
    QTest::newRow("header only: header only")
        << QStringList{"--column", "zip"} << QByteArray("id,zip\r\n")
        << QByteArray("id,zip,city,state,zip_2\r\n");
    QTest::newRow("empty: the appended header only")
        << QStringList{"--column", "zip"} << QByteArray() << QByteArray("city,state,zip\r\n");
    QTest::newRow("a lone CR in a field is quoted again")
        << QStringList{"--column", "1", "--save", "state"}
        << QByteArray("zip,note\r\n03053,\"a\rb\"\r\n")
        << QByteArray("zip,note,state\r\n03053,\"a\rb\",NH\r\n");
    // "@NAME": the input is a file of that name; its extension tells tsv from csv.
    for (const char* name : {"@CUSTOMERS.TSV", "@customers.tab"})
        QTest::addRow("tsv by the name %s", name + 1)
            << QStringList{"--column", "1", "--save", "state", name}
            << QByteArray("zip\tnote\n03053\ta,b\n")
            << QByteArray("zip\tnote\tstate\n03053\ta,b\tNH\n");
    QTest::newRow("loose names, exact ones as before")
        << QStringList{"--city-column", "1", "--state-column", "2", "--loose", "--save", "zip"}
        << QByteArray("c,s\r\nMt Shasta,CA\r\nMount Shasta,CA\r\nMt Shastaa,CA\r\n")
        << QByteArray("c,s,zip\r\nMt Shasta,CA,96067\r\nMount Shasta,CA,96067\r\n");
}

void QuellistConvertTest::tables() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    const qsizetype named = arguments.indexOf(QRegularExpression(QStringLiteral("^@.*")));
    if (named >= 0) {
        arguments[named] = path(qPrintable(arguments[named].mid(1)));
        QVERIFY(writeFile(arguments[named], input));
    } else {
        arguments << "-";
    }
    const Result result = convert(arguments << "-q", named >= 0 ? QByteArray() : input);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, output);
}

// A table that cannot be read as asked: the file and line named, the old output whole.
void QuellistConvertTest::tableFailures_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QStringList byZip{"--column", "zip"};
    QTest::newRow("an unclosed quote")
        << byZip << QByteArray("id,zip\r\n1,03053\r\n2,\"03053\r\n3,03053\r\n") << 4
        << "TABLE:3: a quoted field is not closed";
    QTest::newRow("a name not in the header")
        << QStringList{"--column", "postcode"} << QByteArray("id,zip\r\n1,03053\r\n") << 2
        << "TABLE:1: no column \"postcode\" in the header, which has \"id\", \"zip\"";
    QTest::newRow("a name two columns answer to")
        << QStringList{"--column", "ZIP"} << QByteArray("Zip,zip\r\n03053,03053\r\n") << 2
        << "TABLE:1: 2 columns of the header are named like \"ZIP\"";
    QTest::newRow("a number past the record")
        << QStringList{"--column", "3"} << QByteArray("id,zip\r\n1,03053\r\n") << 4
        << "TABLE:1: column 3 is past the record's 2 fields";
    QTest::newRow("a record with fewer fields")
        << byZip << QByteArray("id,zip,x\r\n1,03053,a\r\n2,03053\r\n") << 4
        << "TABLE:3: the record has 2 fields, the header 3";
    QTest::newRow("a NUL byte") << byZip << QByteArray("id,zip\r\n1,03053\r\n2,0\0\r\n", 22) << 4
                                << "TABLE:3: TABLE is not a table: it holds binary data";
    QTest::newRow("a field of 100 MB")
        << byZip << "id,zip\r\n1," + QByteArray(100 << 20, '3') + "\r\n"
        << 4 << "TABLE:2: the record is longer than 1,048,576 characters";
    QTest::newRow("a name without a header")
        << QStringList{"--column", "zip", "--no-header"} << QByteArray("1,03053\r\n") << 2
        << "name columns by number";
    QTest::newRow("a table to a workbook")
        << QStringList{"--column", "zip", "--format", "xlsx"} << QByteArray() << 2 << "csv or tsv";
    const QStringList checkAll{"--check", "--column",       "zip",  "--city-column",
                               "city",    "--state-column", "state"};
    QTest::newRow("--check: an unclosed quote")
        << checkAll << QByteArray("city,state,zip\r\nDerry,NH,03038\r\n\"Derry,NH,03038\r\n") << 4
        << "TABLE:3: a quoted field is not closed";
    QTest::newRow("--check: a record with more fields")
        << checkAll << QByteArray("city,state,zip\r\nDerry,NH,03038,x\r\n") << 4
        << "TABLE:2: the record has 4 fields, the header 3";
    QTest::newRow("--check: a state column the header lacks")
        << QStringList{"--check", "--column",       "zip", "--city-column",
                       "city",    "--state-column", "st"}
        << QByteArray("city,state,zip\r\nDerry,NH,03038\r\n") << 2
        << "TABLE:1: no column \"st\" in the header";
    QTest::newRow("--within: a NUL byte") << QStringList{"--column", "zip", "--within", "5"}
                                          << QByteArray("id,zip\r\n1,03053\r\n2,0\0\r\n", 22) << 4
                                          << "TABLE:3: TABLE is not a table: it holds binary data";
}

void QuellistConvertTest::tableFailures() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, message);
    QVERIFY(writeFile(path("table.csv"), input));
    QVERIFY(writeFile(path("old.csv"), "yesterday's records"));
    for (const bool fromPipe : {false, true}) {
        const QString name = fromPipe ? QStringLiteral("standard input") : path("table.csv");
        const Result result =
            convert(arguments + QStringList{"-q", "-o", path("old.csv"),
                                            fromPipe ? QStringLiteral("-") : path("table.csv")},
                    fromPipe ? input : QByteArray());
        QCOMPARE(result.status, status);
        QVERIFY2(result.err.contains(QString(message).replace("TABLE", name).toUtf8()), result.err);
        QCOMPARE(readFile(path("old.csv")), QByteArray("yesterday's records"));
    }
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList({"old.csv", "table.csv"}));
}

// The examples of the manual and the README, on the table shipped beside this test.
void QuellistConvertTest::workedExamples() {
    const QString data = QStringLiteral(QUELLIST_TEST_DATA "/cli/");
    QDir::setCurrent(data);
    const Result byZip = convert({"-q", "--column", "zip", "--keep-unmatched", "customers.csv"});
    QCOMPARE(byZip.status, 0);
    QCOMPARE(byZip.out, readFile(data + QStringLiteral("customers-by-zip.csv")));
    const Result byPlace =
        convert({"--city-column", "city", "--state-column", "state", "--loose", "--save", "zip",
                 "--unmatched", path("misses.txt"), "customers.csv"});
    QCOMPARE(byPlace.status, 0);
    QCOMPARE(byPlace.err, QByteArray("quellist-convert: 8 entries read, 5 converted, 3 unmatched, "
                                     "6 rows written\n"));
    QCOMPARE(byPlace.out, readFile(data + QStringLiteral("customers-by-place.csv")));
    QCOMPARE(readFile(path("misses.txt")), readFile(data + QStringLiteral("customers-misses.txt")));
}

// A list given through a pipe gives the bytes it gives when named, in every encoding.
void QuellistConvertTest::pipeGivesTheBytesOfTheFile() {
    const QByteArray windows1252 = "Nashua, NH\r\nS\xE3o Paulo, SP\r\n03053\r\n";
    const QByteArray records = QByteArray("1001,x\r\n").repeated(300000);
    const QStringList byZip{"--column", "zip"};
    const struct {
        QByteArray list;
        QStringList arguments;
    } cases[] = {{longMixedList(), {}},
                 {QByteArray(2 << 20, '#') + windows1252, {}},
                 {"zip,name\r\n03053,Jos\xC3\xA9\r\n" + records, byZip},   // UTF-8 at once
                 {"zip,name\r\n" + records + "03053,Jos\xE9\r\n", byZip}}; // cp1252 at the end
    for (const auto& [list, arguments] : cases) {
        QVERIFY(writeFile(path("list.txt"), list));
        const Result named = convert(arguments + QStringList{"-q", path("list.txt")});
        const Result piped = convert(arguments + QStringList{"-q", "-"}, list);
        QCOMPARE(named.status, 0);
        QCOMPARE(piped.status, 0);
        QVERIFY(named.out.size() > 20);
        QVERIFY(named.out == piped.out);
    }
}

// Split by GNU parallel into blocks that convert two at a time: the rows of the whole list,
// byte for byte, and the records of a table whose later blocks have no header.
void QuellistConvertTest::parallelBlocksGiveTheRowsOfTheWhole() {
    QByteArray list;
    const QByteArray lines[] = {"03053\n", "nashua, nh\r\n", "99999\n", "1001\n",
                                "\n",      "Mt Shasta, CA\n"};
    for (int i = 0; i < 1'000'000; ++i)
        list += lines[std::size_t(i) * 7 % std::size(lines)];
    QVERIFY(writeFile(path("list.txt"), list));
    QVERIFY(writeFile(path("table.csv"),
                      "id,zip\n" + QByteArray("1,03053\n2,1001\n").repeated(200000)));
    QProcess bash;
    bash.setWorkingDirectory(dir_->path());
    bash.start(QStringLiteral("bash"),
               {"-c",
                "set -e; export convert=\"$0\"; \"$0\" -q --loose list.txt > whole.txt\n"
                "parallel --pipe --keep-order -j2 --block 1M \"$0\" -q --loose < list.txt > "
                "split.txt\n"
                "\"$0\" -q --column 2 table.csv > whole.csv\n"
                "parallel --pipe --keep-order -j2 --block 1M "
                "'\"$convert\" -q --column 2 $([ {#} -gt 1 ] && echo --no-header)' < table.csv > "
                "split.csv\n"
                "cmp whole.txt split.txt; cmp whole.csv split.csv",
                QStringLiteral(QUELLIST_CONVERT)});
    QVERIFY(bash.waitForFinished(300000));
    QVERIFY2(bash.exitCode() == 0, bash.readAllStandardError().constData());
    QVERIFY(QFileInfo(path("split.txt")).size() > 10'000'000);
}

QTEST_GUILESS_MAIN(QuellistConvertTest)
#include "tst_QuellistConvert.moc"
