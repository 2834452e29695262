// Names as people write them: each spelled-out abbreviation, on whole words only, found
// in either direction; exact names found as before; and the nearest names offered for
// names that still find nothing.

#include "convert/EntryConverter.h"
#include "convert/LooseNames.h"
#include "support/TestDatabase.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The places as lines of the zip table, built into a database by the database builder.
const char* places = "63101\tSAINT LOUIS\tMO\n63102\tSAINT LOUIS\tMO\n"
                     "63367\tLAKE SAINT LOUIS\tMO\n63301\tSAINT CHARLES\tMO\n"
                     "70582\tST MARTINVILLE\tLA\n33301\tFORT LAUDERDALE\tFL\n"
                     "13815\tSTE GENEVIEVE\tMO\n98595\tMOUNT VERNON\tWA\n"
                     "93041\tPORT HUENEME\tCA\n36066\tPOINT CLEAR\tAL\n"
                     "27101\tWINSTON-SALEM\tNC\n47620\tMOUNT VERNON\tIN\n"
                     "80104\tCASTLE ROCK\tCO\n56377\tSTEARNS\tMN\n"
                     "01010\tSTURBRIDGE\tMA\n65401\tROLLA\tMO\n65402\tROLLO\tMO\n"
                     "65403\tROLL\tMO\n65404\tROLLAS\tMO\n"
                     "91759\tMT BALDY\tCA\n91760\tMOUNT BALDY\tCA\n";

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
    QVERIFY(TestDatabase::fromPlaces(database_, places));
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
