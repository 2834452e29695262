// The records of csv and tsv tables: RFC 4180's quoting, every line end, the lines that
// faults name, and the bound on a record. Each table is read whole and also a character
// at a time, since a pipe may cut it anywhere.

#include "entries/TableRecordStream.h"

#include <QTest>

namespace {

// The records as "line: field|field", or "fault at line N: message".
QStringList recordsOf(const QString& text, TableFormat format, qsizetype piece) {
    QStringList records;
    TableRecordStream stream(format, [&](const TableRecord& record) {
        QStringList fields;
        for (qsizetype i = 0; i < record.size(); ++i)
            fields << record[i].toString();
        records << QStringLiteral("%1: %2").arg(record.line()).arg(fields.join(u'|'));
    });
    try {
        for (qsizetype i = 0; i < text.size(); i += piece)
            stream.feed(QStringView(text).mid(i, piece));
        stream.finish();
    } catch (const TableFault& fault) {
        records << QStringLiteral("fault at line %1: %2").arg(fault.line).arg(fault.description());
    }
    return records;
}

} // namespace

class TableRecordStreamTest : public QObject {
    Q_OBJECT
private slots:
    void readingRules_data();
    void readingRules();
    void recordsAreBounded();
};

void TableRecordStreamTest::readingRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QStringList>("records");
    QTest::newRow("CR LF, LF and CR end records")
        << "a,b\r\nc,d\ne,f\rg,h" << true << QStringList{"1: a|b", "2: c|d", "3: e|f", "4: g|h"};
    QTest::newRow("a last line end adds no record") << "a\r\n" << true << QStringList{"1: a"};
    QTest::newRow("empty lines are no records, but count") << "a\r\n\r\n\nb\n"
                                                           << true << QStringList{"1: a", "4: b"};
    QTest::newRow("empty fields") << ",a,,\n\"\"\n" << true << QStringList{"1: |a||", "2: "};
    QTest::newRow("quoted separators and doubled quotes")
        << "\"Smith, J\",\"said \"\"hi\"\"\",\"\"\"\"\n"
        << true << QStringList{"1: Smith, J|said \"hi\"|\""};
    QTest::newRow("line ends inside quotes are the field's and count as lines")
        << "\"two\r\nlines\",x\n\"three\nmore\rlines\",y\nz,w\n"
        << true << QStringList{"1: two\r\nlines|x", "3: three\nmore\rlines|y", "6: z|w"};
    QTest::newRow("a quote inside an unquoted field is a quote")
        << "5\" pipe,x\n"
        << true << QStringList{"1: 5\" pipe|x"};
    QTest::newRow("text after a closing quote joins the field") << "\"ab\"cd,e\n"
                                                                << true << QStringList{"1: abcd|e"};
    QTest::newRow("blanks around fields stay") << " a , b \n" << true << QStringList{"1:  a | b "};
    QTest::newRow("an unclosed quote names the line its record starts on")
        << "a\n\"b,\nc\n"
        << true
        << QStringList{"1: a", "fault at line 2: a quoted field is not closed before the end of "
                               "the input"};
    QTest::newRow("tsv: tabs separate, quotes are text, commas too")
        << "a\t\"b, c\"\t\r\nd\te\tf\n"
        << false << QStringList{"1: a|\"b, c\"|", "2: d|e|f"};
    QTest::newRow("tsv: a record of one field")
        << "03053\n\nBoston, MA" << false << QStringList{"1: 03053", "3: Boston, MA"};
}

void TableRecordStreamTest::readingRules() {
    QFETCH(QString, text);
    QFETCH(bool, csv);
    QFETCH(QStringList, records);
    const TableFormat format = csv ? TableFormat::Csv : TableFormat::Tsv;
    QCOMPARE(recordsOf(text, format, text.size() + 1), records);
    QCOMPARE(recordsOf(text, format, 1), records);
}

// A field of megabytes, or a quote never closed, is refused at the bound, not held.
void TableRecordStreamTest::recordsAreBounded() {
    const qsizetype bound = TableRecordStream::maxRecordChars;
    const QString longest = QString(bound - 2, u'a') + QStringLiteral(",b\n");
    QCOMPARE(recordsOf(longest, TableFormat::Csv, 4096).size(), 1);
    QVERIFY(!recordsOf(longest, TableFormat::Csv, 4096).first().startsWith(u'f'));
    const QStringList tooLong =
        recordsOf(QStringLiteral("a\n") + QString(bound + 1, u'x'), TableFormat::Csv, 4096);
    QCOMPARE(tooLong.last(), QStringLiteral("fault at line 2: the record is longer than 1,048,576 "
                                            "characters, more than any table row holds"));
    const QStringList runaway =
        recordsOf(QStringLiteral("a\n\"") + QString(bound, u'x') + QStringLiteral("\n"),
                  TableFormat::Csv, 4096);
    QVERIFY2(runaway.last().startsWith(
                 QStringLiteral("fault at line 2: a quoted field runs on past 1,048,576")),
             qPrintable(runaway.last()));
}

QTEST_GUILESS_MAIN(TableRecordStreamTest)
#include "tst_TableRecordStream.moc"
