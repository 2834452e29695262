// Names as people write them: each spelled-out abbreviation, on whole words only, found
// in either direction; exact names found as before; and the nearest names offered for
// names that still find nothing.

#include "convert/EntryConverter.h"
#include "convert/LooseNames.h"
#include "support/TestDatabase.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const char* placesSql = R"(CREATE TABLE ZIP_CODES (ZIP TEXT, CITY TEXT, STATE TEXT);
INSERT INTO ZIP_CODES VALUES
  ('63101', 'SAINT LOUIS', 'MO'), ('63102', 'SAINT LOUIS', 'MO'),
  ('63367', 'LAKE SAINT LOUIS', 'MO'), ('63301', 'SAINT CHARLES', 'MO'),
  ('70582', 'ST MARTINVILLE', 'LA'), ('33301', 'FORT LAUDERDALE', 'FL'),
  ('13815', 'STE GENEVIEVE', 'MO'), ('98595', 'MOUNT VERNON', 'WA'),
  ('93041', 'PORT HUENEME', 'CA'), ('36066', 'POINT CLEAR', 'AL'),
  ('27101', 'WINSTON-SALEM', 'NC'), ('47620', 'MOUNT VERNON', 'IN'),
  ('80104', 'CASTLE ROCK', 'CO'), ('56377', 'STEARNS', 'MN'),
  ('01010', 'STURBRIDGE', 'MA'), ('65401', 'ROLLA', 'MO'), ('65402', 'ROLLO', 'MO'),
  ('65403', 'ROLL', 'MO'), ('65404', 'ROLLAS', 'MO'),
  ('91759', 'MT BALDY', 'CA'), ('91760', 'MOUNT BALDY', 'CA');)";

} // namespace

class LooseNamesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rows_data();
    void rows();
    void suggestions_data();
    void suggestions();

private:
    QTemporaryDir dir_;
    QString database_;
};

void LooseNamesTest::initTestCase() {
    database_ = dir_.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(TestDatabase::create(database_, QString::fromLatin1(placesSql)));
}

void LooseNamesTest::rows_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("strictRows");
    QTest::addColumn<QStringList>("looseRows");
    const QStringList saintLouis{"SAINT LOUIS MO 63101", "SAINT LOUIS MO 63102"};
    QTest::newRow("exact: the same rows") << "SAINT LOUIS, MO" << saintLouis << saintLouis;
    QTest::newRow("ST") << "ST LOUIS, MO" << QStringList() << saintLouis;
    QTest::newRow("ST. and a doubled blank") << "ST.  LOUIS, MO" << QStringList() << saintLouis;
    QTest::newRow("ST. without a blank") << "ST.LOUIS, MO" << QStringList() << saintLouis;
    QTest::newRow("state with dots") << "ST LOUIS, M.O." << QStringList() << saintLouis;
    QTest::newRow("inside a name")
        << "LAKE ST LOUIS, MO" << QStringList() << QStringList{"LAKE SAINT LOUIS MO 63367"};
    QTest::newRow("STE") << "SAINTE GENEVIEVE, MO" << QStringList()
                         << QStringList{"STE GENEVIEVE MO 13815"};
    QTest::newRow("FT") << "FT LAUDERDALE, FL" << QStringList()
                        << QStringList{"FORT LAUDERDALE FL 33301"};
    QTest::newRow("MT") << "MT VERNON, WA" << QStringList() << QStringList{"MOUNT VERNON WA 98595"};
    QTest::newRow("PT") << "PT CLEAR, AL" << QStringList() << QStringList{"POINT CLEAR AL 36066"};
    QTest::newRow("the reverse: SAINT for the table's ST")
        << "SAINT MARTINVILLE, LA" << QStringList() << QStringList{"ST MARTINVILLE LA 70582"};
    QTest::newRow("a blank for the table's hyphen")
        << "WINSTON SALEM, NC" << QStringList() << QStringList{"WINSTON-SALEM NC 27101"};
    QTest::newRow("whole words only: PORT is no PT")
        << "POINT HUENEME, CA" << QStringList() << QStringList();
    QTest::newRow("whole words only: STEARNS")
        << "SAINTEARNS, MN" << QStringList() << QStringList();
    QTest::newRow("another state's name") << "MT VERNON, OR" << QStringList() << QStringList();
    QTest::newRow("two places: each in turn, by name")
        << "MT. BALDY, CA" << QStringList()
        << QStringList{"MOUNT BALDY CA 91760", "MT BALDY CA 91759"};
    QTest::newRow("zip codes as before")
        << "63101" << QStringList{"SAINT LOUIS MO 63101"} << QStringList{"SAINT LOUIS MO 63101"};
}

void LooseNamesTest::rows() {
    QFETCH(QString, entry);
    QFETCH(QStringList, strictRows);
    QFETCH(QStringList, looseRows);
    ZipDatabase database(database_);
    const std::vector<ZipField> fields{ZipField::City, ZipField::State, ZipField::Zip};
    database.prepare(fields);
    LooseNames loose(database);
    for (LooseNames* names : {static_cast<LooseNames*>(nullptr), &loose}) {
        QStringList made;
        EntryConverter converter(
            database,
            [&](const ZipRow& row) {
                made << QStringLiteral("%1 %2 %3")
                            .arg(row[ZipField::City], row[ZipField::State], row[ZipField::Zip]);
                return EntryConverter::TextId(made.size() - 1);
            },
            names);
        QStringList rows;
        for (const auto id : converter.convert(entry))
            rows << made.at(qsizetype(id));
        QCOMPARE(rows, names ? looseRows : strictRows);
    }
}

void LooseNamesTest::suggestions_data() {
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("near");
    QTest::newRow("two letters swapped") << "ST LUOIS"
                                         << "MO" << QStringList{"SAINT LOUIS, MO"};
    QTest::newRow("three at most, nearest first")
        << "ROLA"
        << "MO" << QStringList{"ROLL, MO", "ROLLA, MO", "ROLLAS, MO"};
    QTest::newRow("a letter dropped") << "ST CHRLES"
                                      << "MO" << QStringList{"SAINT CHARLES, MO"};
    QTest::newRow("nothing near") << "KANSAS CITY"
                                  << "MO" << QStringList();
    QTest::newRow("a state without places") << "ST LUOIS"
                                            << "ZZ" << QStringList();
}

void LooseNamesTest::suggestions() {
    QFETCH(QString, city);
    QFETCH(QString, state);
    QFETCH(QStringList, near);
    ZipDatabase database(database_);
    LooseNames loose(database);
    QCOMPARE(loose.suggestions(city, state), near);
}

QTEST_GUILESS_MAIN(LooseNamesTest)
#include "tst_LooseNames.moc"
