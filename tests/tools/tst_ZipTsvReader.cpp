// The zipbase builder's readers of the zip-code table and of the places: good lines in, bad
// lines named; and the builder as the build runs it.

#include "support/TestFiles.h"
#include "zipbase/PlaceTsvReader.h"
#include "zipbase/ZipTsvReader.h"

#include <sqlite3.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ZipTsvReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsRecords();
    void badLines_data();
    void badLines();
    void places_data();
    void places();
    void builder_data();
    void builder();
};

namespace {

// Every column of the table, in the order of zipFields.
QByteArray headerLine() {
    QByteArray names;
    for (const ZipFieldInfo& field : zipFields)
        names += (names.isEmpty() ? "" : "\t") + QByteArray(field.header);
    return names + '\n';
}
const QByteArray header = headerLine();
const QString columns = QString::number(zipFields.size());

// A line of the table: a zip, a city and a state, and the attributes of one zip in the
// order of the columns; the columns after them empty.
QByteArray line(const char* zip, const char* city, const char* state,
                const char* attributes = "Rockingham\t33015\t42.8656\t-71.3772") {
    QByteArray line = QByteArray(zip) + '\t' + city + '\t' + state + '\t' + attributes;
    return line + QByteArray(qsizetype(zipFields.size()) - 1 - line.count('\t'), '\t') + '\n';
}

} // namespace

void ZipTsvReaderTest::readsRecords() {
    ZipTsvReader reader;
    QVERIFY(reader.parse((header + line("03053", "LONDONDERRY", "NH") +
                          line("83814", "COEUR D'ALENE", "ID", "Kootenai\t16055\t47.6\t-116.7") +
                          line("00601", "ADJUNTAS", "PR", "\t\t18.16\t-66.72\tAmerica/Puerto_Rico"))
                             .toStdString()));
    QCOMPARE(reader.records().size(), std::size_t(3));
    QCOMPARE(reader.records().at(1)[ZipField::City], std::string("COEUR D'ALENE"));
    QCOMPARE(reader.records().at(1)[ZipField::CountyFips], std::string("16055"));
    QCOMPARE(reader.records().at(2)[ZipField::County], std::string());
    QCOMPARE(reader.records().at(2)[ZipField::Longitude], std::string("-66.72"));
    QCOMPARE(reader.records().at(2)[ZipField::Timezone], std::string("America/Puerto_Rico"));
    const std::string longestZone = "America/" + std::string(56, 'x');
    QVERIFY(reader.parse(
        header.toStdString() +
        line("03053", "A", "NH", ("\t\t42.8\t-71.3\t" + longestZone).c_str()).toStdString()));
    QCOMPARE(reader.records().at(0)[ZipField::Timezone], longestZone);
    // The columns in another order are read by their names.
    QVERIFY(reader.parse("timezone\tstate\tzip\tcity\tlongitude\tlatitude\tcounty_fips\tcounty\n"
                         "\tNH\t03053\tLONDONDERRY\t-71.3772\t42.8656\t33015\tRockingham\r\n"));
    QCOMPARE(reader.records().at(0)[ZipField::Zip], std::string("03053"));
    QCOMPARE(reader.records().at(0)[ZipField::Latitude], std::string("42.8656"));
    QVERIFY(reader.parse(header.toStdString()));
    QVERIFY(reader.records().empty());
}

// Each fault named by its line, its column where it has one, and what is wrong.
void ZipTsvReaderTest::badLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("fault");
    const QByteArray good = header + line("03053", "A", "NH");
    QTest::newRow("no header") << line("03053", "A", "NH")
                               << "1 03053: the header names a column the table has not";
    QTest::newRow("a column lacking")
        << QByteArray("zip\tcity\tstate\n") << "1 county: the header lacks the column";
    QTest::newRow("an unknown column") << QByteArray(header).replace("\n", "\tcountry\n")
                                       << "1 country: the header names a column the table has not";
    QTest::newRow("a column named twice") << QByteArray(header).replace("\n", "\tzip\n")
                                          << "1 zip: the header names the column twice";
    QTest::newRow("an empty table")
        << QByteArray() << "1 : the table is empty: it has no header line";
    QTest::newRow("a field too few")
        << good + "03054\tB\tNH\n"
        << "3 : the line has 3 fields, not the " + columns + " of the header (separated by tabs)";
    QTest::newRow("a field too many")
        << good + line("03054", "B", "NH").replace("\n", "\tX\n")
        << "3 : the line has " + QString::number(zipFields.size() + 1) + " fields, not the " +
               columns + " of the header (separated by tabs)";
    QTest::newRow("an empty line")
        << good + "\n" + line("03054", "B", "NH")
        << "3 : the line has 1 field, not the " + columns + " of the header (separated by tabs)";
    QTest::newRow("short zip") << header + line("3053", "A", "NH")
                               << "2 zip: \"3053\" is not five digits";
    QTest::newRow("letter in zip")
        << header + line("0305A", "A", "NH") << "2 zip: \"0305A\" is not five digits";
    QTest::newRow("empty city") << header + line("03053", "", "NH")
                                << "2 city: empty or holds control characters";
    QTest::newRow("control in city") << header + line("03053", "LONDON\x01", "NH")
                                     << "2 city: empty or holds control characters";
    QTest::newRow("nul in city") << header + QByteArray("03053\tA\0B\tNH", 12) +
                                        QByteArray(qsizetype(zipFields.size()) - 3, '\t') + '\n'
                                 << "2 city: empty or holds control characters";
    QTest::newRow("long state") << header + line("03053", "A", "NHX")
                                << "2 state: \"NHX\" is not a two-letter code";
    QTest::newRow("a county FIPS code of four digits")
        << header + line("03053", "A", "NH", "Rockingham\t3301\t\t")
        << "2 county_fips: \"3301\" is not five digits";
    QTest::newRow("a latitude past the pole")
        << header + line("03053", "A", "NH", "\t\t90.5\t-71.3")
        << "2 latitude: \"90.5\" is not a latitude (a number from -90 to 90)";
    QTest::newRow("a longitude that is no number")
        << header + line("03053", "A", "NH", "\t\t42.8\t71W")
        << "2 longitude: \"71W\" is not a longitude (a number from -180 to 180)";
    QTest::newRow("a point at latitude 0 and longitude 0")
        << header + line("09002", "APO", "AE", "\t\t0\t-0.0")
        << "2 latitude: latitude 0 and longitude 0 is a source's placeholder, not a point: leave "
           "both empty";
    QTest::newRow("a time zone that is no name")
        << header + line("03053", "A", "NH", "\t\t42.8\t-71.3\t-05:00")
        << "2 timezone: \"-05:00\" is not a time zone name (America/Denver)";
    QTest::newRow("a time zone name longer than any: 65 characters")
        << header + line("03053", "A", "NH", "\t\t42.8\t-71.3\tAmerica/" + QByteArray(57, 'x'))
        << "2 timezone: \"America/" + QString(57, u'x') +
               "\" is not a time zone name (America/Denver)";
    QTest::newRow("a longitude past the date line")
        << header + line("03053", "A", "NH", "\t\t42.8\t-180.01")
        << "2 longitude: \"-180.01\" is not a longitude (a number from -180 to 180)";
}

void ZipTsvReaderTest::badLines() {
    QFETCH(QByteArray, text);
    QFETCH(QString, fault);
    ZipTsvReader reader;
    QVERIFY(!reader.parse(std::string_view(text.constData(), std::size_t(text.size()))));
    const ZipTsvError& error = *reader.error();
    QCOMPARE(QStringLiteral("%1 %2: %3")
                 .arg(error.line)
                 .arg(QString::fromStdString(error.column), QString::fromStdString(error.problem)),
             fault);
    QVERIFY(reader.records().empty());
}

// The places: each with its point; a fault named as the zip table's are.
void ZipTsvReaderTest::places_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("read"); // the places read, or the fault
    const QByteArray placeHeader = "city\tstate\tlatitude\tlongitude\n";
    QTest::newRow("places, columns in any order")
        << QByteArray("state\tcity\tlongitude\tlatitude\nMN\tEAGAN\t-93.16689\t44.80413\n"
                      "CO\tCANON CITY\t-105.24245\t38.44098\r\n")
        << "EAGAN MN 44.80413 -93.16689|CANON CITY CO 38.44098 -105.24245";
    QTest::newRow("a place without a point")
        << placeHeader + "EAGAN\tMN\t\t-93.1\n"
        << "2 latitude: a place has a point: the value is empty";
    QTest::newRow("a place without a longitude")
        << placeHeader + "EAGAN\tMN\t44.8\t\n"
        << "2 longitude: a place has a point: the value is empty";
    QTest::newRow("a state that is no code") << placeHeader + "EAGAN\tMinnesota\t44.8\t-93.1\n"
                                             << "2 state: \"Minnesota\" is not a two-letter code";
    QTest::newRow("a column lacking")
        << QByteArray("city\tstate\tlatitude\n") << "1 longitude: the header lacks the column";
}

void ZipTsvReaderTest::places() {
    QFETCH(QByteArray, text);
    QFETCH(QString, read);
    PlaceTsvReader reader;
    QStringList got;
    if (reader.parse(text.toStdString())) {
        for (const PlaceRecord& place : reader.records())
            got << QString::fromStdString(place.city + ' ' + place.state + ' ' + place.latitude +
                                          ' ' + place.longitude);
    } else {
        const ZipTsvError& error = *reader.error();
        got << QStringLiteral("%1 %2: %3")
                   .arg(error.line)
                   .arg(QString::fromStdString(error.column),
                        QString::fromStdString(error.problem));
        QVERIFY(reader.records().empty());
    }
    QCOMPARE(got.join(u'|'), read);
}

void ZipTsvReaderTest::builder_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QByteArray>("places");     // null: the builder is given no table of places
    QTest::addColumn<QByteArray>("leftBehind"); // in zipbase.mdb.part by a build cut short
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("placesBuilt"); // rows of PLACES and PLACE_POINTS; -1: no table
    const QByteArray good = header + line("03053", "LONDONDERRY", "NH");
    const QByteArray places = "city\tstate\tlatitude\tlongitude\nDERRY VILLAGE\tNH\t42.89\t-71.31\n"
                              "WINDHAM\tNH\t42.80\t-71.30\n";
    QTest::newRow("after a build cut short")
        << good << QByteArray() << readFile(QStringLiteral(QUELLIST_ZIPBASE)).left(40960)
        << QByteArray() << -1;
    QTest::newRow("with places") << good << places << QByteArray() << QByteArray() << 2;
    QTest::newRow("a place without a point")
        << good << places + "HOOKSETT\tNH\t\t-71.4\n"
        << QByteArray()
        << QByteArray("PLACES:4: column latitude: a place has a point: the value is empty\n") << -1;
    QTest::newRow("a field too many")
        << good + line("03054", "B", "NH").replace("\n", "\tX\n") << QByteArray() << QByteArray()
        << QStringLiteral("TABLE:3: the line has %1 fields, not the %2 of the header (separated "
                          "by tabs)\n")
               .arg(zipFields.size() + 1)
               .arg(columns)
               .toUtf8()
        << -1;
    QTest::newRow("an empty file")
        << QByteArray("") << QByteArray() << QByteArray()
        << QByteArray("TABLE:1: the table is empty: it has no header line\n") << -1;
    QTest::newRow("a header without rows")
        << header << QByteArray() << QByteArray()
        << QByteArray("zipbase_builder: DATABASE: the table has no rows: a database without zips "
                      "would answer nothing\n")
        << -1;
    QTest::newRow("a latitude out of range")
        << good + line("03054", "B", "NH", "\t\t-91\t0") << QByteArray() << QByteArray()
        << QByteArray("TABLE:3: column latitude: \"-91\" is not a latitude (a number from -90 to "
                      "90)\n")
        << -1;
}

namespace {

// The rows of a table of the database, or -1 where it has no such table.
int rowsOf(const QString& database, const char* table) {
    sqlite3* db = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_exec(
            db, (std::string("SELECT count(*) FROM ") + table).c_str(),
            [](void* count, int, char** values, char**) {
                *static_cast<int*>(count) = std::atoi(values[0]);
                return 0;
            },
            &rows, nullptr);
    }
    sqlite3_close(db);
    return rows;
}

} // namespace

void ZipTsvReaderTest::builder() {
    QFETCH(QByteArray, table);
    QFETCH(QByteArray, places);
    QFETCH(QByteArray, leftBehind);
    QFETCH(QByteArray, message);
    QFETCH(int, placesBuilt);
    QTemporaryDir dir;
    const QString tsv = dir.filePath(QStringLiteral("zips.tsv"));
    const QString placesTsv = dir.filePath(QStringLiteral("places.tsv"));
    const QString database = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(writeFile(tsv, table));
    QVERIFY(writeFile(placesTsv, places));
    if (!leftBehind.isEmpty())
        QVERIFY(writeFile(database + QStringLiteral(".part"), leftBehind));
    QProcess builder;
    builder.start(QStringLiteral(QUELLIST_ZIPBASE_BUILDER),
                  places.isNull() ? QStringList{tsv, database}
                                  : QStringList{tsv, placesTsv, database});
    QVERIFY(builder.waitForFinished(60000));
    QCOMPARE(builder.readAllStandardError(), message.replace("TABLE", tsv.toUtf8())
                                                 .replace("PLACES", placesTsv.toUtf8())
                                                 .replace("DATABASE", database.toUtf8()));
    QCOMPARE(builder.exitCode(), message.isEmpty() ? 0 : 1);
    QCOMPARE(QFileInfo::exists(database), message.isEmpty());
    QVERIFY(!QFileInfo::exists(database + QStringLiteral(".part")));
    if (message.isEmpty()) {
        QCOMPARE(rowsOf(database, "PLACES"), placesBuilt);
        QCOMPARE(rowsOf(database, "PLACE_POINTS"), placesBuilt);
        QVERIFY2(rowsOf(database, "sqlite_stat1") > 0, "analysed for the query planner");
    }
}

QTEST_GUILESS_MAIN(ZipTsvReaderTest)
#include "tst_ZipTsvReader.moc"
