// Every run of quellist-convert a user can combine: each run mode, each output that takes
// it and each kind of entry, whole. A cell's answer (its status, standard error, the
// unmatched list and the output) is compared with its file in tests/data/combinations,
// made from the small database there (zips.tsv, places.tsv) and the entries of
// entries.csv; a mode
// that refuses an output holds its refusal. A new mode or output is one row below.
//
// QUELLIST_WRITE_EXPECTED=1 writes the files from what the converter gives instead of
// comparing: read their diff before committing them.

#include "support/ConvertProcess.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString data = QStringLiteral(QUELLIST_TEST_DATA "/combinations/");

struct Mode {
    const char* name;
    QStringList arguments;
    QStringList tableColumns; // how a table gives the entry
    const char* fields;       // every field the mode offers, for the outputs that take --fields
};
const QStringList byEntry{"--column", "entry"};
const Mode modes[] = {
    {"plain",
     {},
     byEntry,
     "zip,distance,city,state,county,county_fips,latitude,longitude,timezone"},
    {"within",
     {"--within", "5"},
     byEntry,
     "zip,distance,city,state,county,county_fips,latitude,longitude,timezone"},
    {"nearest",
     {"--nearest", "3"},
     byEntry,
     "zip,distance,city,state,county,county_fips,latitude,longitude,timezone"},
    {"check",
     {"--check"},
     {"--column", "zip", "--city-column", "city", "--state-column", "state"},
     "zip,county,county_fips,latitude,longitude,timezone"},
};

struct Output {
    const char* name;
    const char* format;
    bool fields; // takes --fields
    bool table;  // entries.csv's record as a table, not its entry as a list line
};
const Output outputs[] = {
    {"rows", "rows", false, false},      {"aligned", "aligned", false, false},
    {"csv", "csv", true, false},         {"tsv", "tsv", true, false},
    {"geojson", "geojson", true, false}, {"csv-table", "csv", true, true},
    {"tsv-table", "tsv", true, true},
};

// The kinds of entries.csv, and what a kind needs besides.
struct Kind {
    const char* name;
    QStringList arguments;
};
const Kind kinds[] = {
    {"zip", {}},       {"zip+4", {}}, {"place", {}},    {"loose", {"--loose"}},
    {"unmatched", {}}, {"point", {}}, {"badpoint", {}}, // coordinates out of range
    {"unnamed", {}},                                    // a place the zip data does not name
};

QString fileOf(const QString& mode, const QString& output, const QString& kind) {
    return QStringLiteral("%1-%2-%3.txt").arg(mode, output, QString(kind).remove(u'+'));
}

// The header of entries.csv and the record of a kind.
QByteArray tableOf(const char* kind) {
    const QList<QByteArray> lines = readFile(data + QStringLiteral("entries.csv")).split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith(QByteArray(kind) + ','))
            return lines.front() + '\n' + line + '\n';
    return {};
}

// The entry column of a kind's record: a list line.
QByteArray entryOf(const QByteArray& table) {
    QByteArray record = table.split('\n').value(1);
    record = record.mid(record.indexOf(',') + 1);
    return (record.startsWith('"') ? record.mid(1, record.indexOf('"', 1) - 1)
                                   : record.left(record.indexOf(','))) +
           '\n';
}

} // namespace

class ConvertCombinationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cells_data();
    void cells();
    void everyFileIsACell();

private:
    QTemporaryDir dir_;
    QString database_;
};

void ConvertCombinationsTest::initTestCase() {
    database_ = dir_.filePath(QStringLiteral("zips.mdb"));
    QVERIFY(TestDatabase::fromTable(database_, readFile(data + QStringLiteral("zips.tsv")),
                                    readFile(data + QStringLiteral("places.tsv"))));
}

void ConvertCombinationsTest::cells_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("file");
    for (const Mode& mode : modes)
        for (const Output& output : outputs)
            for (const Kind& kind : kinds) {
                QStringList arguments = mode.arguments + QStringList{"--format", output.format};
                if (output.fields)
                    arguments << "--fields" << mode.fields;
                if (output.table) // a record without rows is kept, to be seen
                    arguments += mode.tableColumns + QStringList{"--keep-unmatched"};
                const QByteArray table = tableOf(kind.name);
                QTest::addRow("%s, %s, %s", mode.name, output.name, kind.name)
                    << arguments + kind.arguments << (output.table ? table : entryOf(table))
                    << fileOf(mode.name, output.name, kind.name);
            }
}

void ConvertCombinationsTest::cells() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, file);
    const QString unmatched = dir_.filePath(QStringLiteral("unmatched.txt"));
    QFile::remove(unmatched);
    const ConvertResult result =
        runConvert(QStringLiteral(QUELLIST_CONVERT),
                   QStringList{"--database", database_, "--unmatched", unmatched} + arguments +
                       QStringList{"-"},
                   input);
    const QByteArray cell =
        "quellist-convert " + arguments.join(u' ').toUtf8() + " --unmatched UNMATCHED -\nstatus " +
        QByteArray::number(result.status) + "\n== standard error\n" + result.err +
        "== unmatched\n" + readFile(unmatched) + "== output\n" + result.out;
    if (qEnvironmentVariableIsSet("QUELLIST_WRITE_EXPECTED")) {
        QVERIFY(writeFile(data + file, cell));
        return;
    }
    QCOMPARE(QString::fromUtf8(cell), QString::fromUtf8(readFile(data + file)));
}

// No expected file is left over from a mode, an output or a kind that is gone.
void ConvertCombinationsTest::everyFileIsACell() {
    QStringList cells;
    for (const Mode& mode : modes)
        for (const Output& output : outputs)
            for (const Kind& kind : kinds)
                cells << fileOf(mode.name, output.name, kind.name);
    cells.sort();
    QStringList files = QDir(data).entryList({QStringLiteral("*-*-*.txt")}, QDir::Files);
    QCOMPARE(files, cells);
}

QTEST_GUILESS_MAIN(ConvertCombinationsTest)
#include "tst_ConvertCombinations.moc"
