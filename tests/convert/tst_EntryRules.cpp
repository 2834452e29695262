// The entry rules: PadZip, the numeric test in several locales, ClassifyEntry's keys,
// ProperCase and the wording of result rows.

#include "convert/EntryRules.h"
#include "convert/SaveOption.h"
#include "core/TextRules.h"
#include "support/TestFiles.h"

#include <QTest>

Q_DECLARE_METATYPE(EntryKind)

class EntryRulesTest : public QObject {
    Q_OBJECT
private slots:
    void padZip_data();
    void padZip();
    void numeric_data();
    void numeric();
    void classify_data();
    void classify();
    void properCase_data();
    void properCase();
    void wordRow_data();
    void wordRow();
};

void EntryRulesTest::padZip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("padded");
    QTest::newRow("three digits") << "501"
                                  << "00501";
    QTest::newRow("four digits") << "3053"
                                 << "03053";
    QTest::newRow("empty") << ""
                           << "00000";
    QTest::newRow("five") << "12345"
                          << "12345";
    QTest::newRow("six") << "123456"
                         << "123456";
    QTest::newRow("one blank") << " "
                               << "0000 ";
    QTest::newRow("letters too") << "ma"
                                 << "000ma";
    QTest::newRow("blank then digits") << " 123"
                                       << "0 123";
}

void EntryRulesTest::padZip() {
    QFETCH(QString, text);
    QFETCH(QString, padded);
    QCOMPARE(PadZip(text), padded);
}

void EntryRulesTest::numeric_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    const QString us = QStringLiteral("en_US");
    const QString de = QStringLiteral("de_DE");
    QTest::newRow("zip") << us << "03053" << true;
    QTest::newRow("blanks around") << us << "  03053 " << true;
    QTest::newRow("empty") << us << "" << false;
    QTest::newRow("blanks only") << us << "   " << false;
    QTest::newRow("leading sign") << us << "-12" << true;
    QTest::newRow("trailing sign") << us << "12-" << true;
    QTest::newRow("two signs") << us << "-12-" << false;
    QTest::newRow("zip plus four") << us << "03053-1234" << false;
    QTest::newRow("currency") << us << "$12.50" << true;
    QTest::newRow("currency after sign") << us << "-$12" << true;
    QTest::newRow("thousands") << us << "1,234,567" << true;
    QTest::newRow("comma between zips en") << us << "03053,03054" << true;
    QTest::newRow("decimal") << us << "3.5" << true;
    QTest::newRow("two decimals") << us << "3.5.1" << false;
    QTest::newRow("decimal only") << us << "." << false;
    QTest::newRow("exponent") << us << "1.5E3" << true;
    QTest::newRow("exponent lower with sign") << us << "2e-4" << true;
    QTest::newRow("exponent without digits") << us << "1e" << false;
    QTest::newRow("letters") << us << "NY" << false;
    QTest::newRow("city state") << us << "NASHUA , NH" << false;
    QTest::newRow("blank inside") << us << "030 53" << false;
    QTest::newRow("tab") << us << "\t03053" << false;
    QTest::newRow("german decimal comma") << de << "3,5" << true;
    QTest::newRow("german thousands point") << de << "1.234" << true;
    QTest::newRow("german currency") << de << "12 €" << true;
}

void EntryRulesTest::numeric() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(NumericText(QLocale(locale)).test(text), numeric);
}

void EntryRulesTest::classify_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<EntryKind>("kind");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("zip") << "03053" << EntryKind::Zip << "03053"
                         << "";
    QTest::newRow("zip keeps blank") << " 03053" << EntryKind::Zip << " 03053"
                                     << "";
    QTest::newRow("blank before comma") << "NASHUA , NH" << EntryKind::CityState << "NASHUA"
                                        << "NH";
    QTest::newRow("no blank after comma") << "New York,NY" << EntryKind::CityState << "New York"
                                          << "NY";
    QTest::newRow("third piece ignored")
        << "Springfield, MO, USA" << EntryKind::CityState << "Springfield"
        << "MO";
    QTest::newRow("empty state") << "Nashua," << EntryKind::CityState << "Nashua"
                                 << "";
    QTest::newRow("tabs stay") << "Nashua,\tNH " << EntryKind::CityState << "Nashua"
                               << "\tNH";
    QTest::newRow("city alone") << "Haverhill" << EntryKind::None << ""
                                << "";
    QTest::newRow("empty entry") << "" << EntryKind::None << ""
                                 << "";
    QTest::newRow("zip plus four") << "03053-1234" << EntryKind::None << ""
                                   << "";
    QTest::newRow("thousands comma is a zip") << "12,345" << EntryKind::Zip << "12,345"
                                              << "";
    QTest::newRow("apostrophe") << "COEUR D'ALENE, ID" << EntryKind::CityState << "COEUR D'ALENE"
                                << "ID";
}

void EntryRulesTest::classify() {
    QFETCH(QString, entry);
    QFETCH(EntryKind, kind);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const NumericText numeric{QLocale(QStringLiteral("en_US"))};
    const LookupKeys keys = ClassifyEntry(entry, numeric);
    QCOMPARE(keys.kind, kind);
    if (kind == EntryKind::Zip) {
        QCOMPARE(keys.zip.toString(), first);
    } else if (kind == EntryKind::CityState) {
        QCOMPARE(keys.city.toString(), first);
        QCOMPARE(keys.state.toString(), second);
    }
}

void EntryRulesTest::properCase_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cased");
    QTest::newRow("two words") << "NORTH ANDOVER"
                               << "North Andover";
    QTest::newRow("point") << "ST. LOUIS"
                           << "St. Louis";
    QTest::newRow("hyphen") << "WINSTON-SALEM"
                            << "Winston-salem";
    QTest::newRow("apostrophe") << "O'FALLON"
                                << "O'fallon";
    QTest::newRow("digit") << "1ST AVE"
                           << "1st Ave";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("lower case in") << "new york"
                                   << "New York";
    QTest::newRow("tab separates") << "A\tB"
                                   << "A\tB";
    QTest::newRow("control separators")
        << QString::fromUtf16(u"x\u000by\u000cz\rw") << QString::fromUtf16(u"X\u000bY\u000cZ\rW");
    QTest::newRow("accented") << "ÉCOLE ÎLE-ÉTÉ"
                              << "École Île-été";
    // Every city name of two whole states, one a line (ARIZONA CITY, MAZEPPA).
    QStringList upper;
    QStringList cased;
    const QByteArray names =
        readFile(QStringLiteral(QUELLIST_TEST_DATA "/convert/proper-case.tsv"));
    for (const QString& line : QString::fromUtf8(names).split(u'\n', Qt::SkipEmptyParts)) {
        upper << line.section(u'\t', 0, 0);
        cased << line.section(u'\t', 1, 1);
    }
    QTest::newRow("the cities of AZ and MN") << upper.join(u'\n') << cased.join(u'\n');
    QTest::newRow("beyond the BMP") << QString::fromUtf16(u"\U00010428\U00010428")
                                    << QString::fromUtf16(u"\U00010400\U00010428");
}

void EntryRulesTest::properCase() {
    QFETCH(QString, text);
    QFETCH(QString, cased);
    QCOMPARE(ProperCase(text, QLocale(QStringLiteral("en_US"))), cased);
}

void EntryRulesTest::wordRow_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("row");
    QTest::newRow("city state zip")
        << 0 << QStringList{"NASHUA", "NH", "03060"} << "Nashua, NH 03060";
    QTest::newRow("city") << 1 << QStringList{"NASHUA"} << "Nashua";
    QTest::newRow("state") << 2 << QStringList{"NH"} << "NH";
    QTest::newRow("zip") << 3 << QStringList{"03060"} << "03060";
    QTest::newRow("city and state") << 4 << QStringList{"NASHUA", "NH"} << "Nashua, NH";
    QTest::newRow("state as stored") << 2 << QStringList{"nh"} << "nh";
}

void EntryRulesTest::wordRow() {
    QFETCH(int, option);
    QFETCH(QStringList, fields);
    QFETCH(QString, row);
    ZipRow fetched;
    const std::vector<ZipField> order = SaveOption::at(option).fields();
    for (std::size_t i = 0; i < order.size(); ++i)
        fetched.set(order[i], fields.at(qsizetype(i)));
    QCOMPARE(SaveOption::wordRow(option, fetched), row);
}

QTEST_GUILESS_MAIN(EntryRulesTest)
#include "tst_EntryRules.moc"
