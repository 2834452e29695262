// The zipbase builder's reader of the zip-code table: good lines in, bad lines named; and
// the builder as the build runs it.

#include "support/TestFiles.h"
#include "zipbase/ZipTsvReader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class ZipTsvReaderTest : public QObject {
    Q_OBJECT
private slots:
    void readsRecords();
    void badLines_data();
    void badLines();
    void builder_data();
    void builder();
};

void ZipTsvReaderTest::readsRecords() {
    ZipTsvReader reader;
    QVERIFY(
        reader.parse("03053\tLONDONDERRY\tNH\n83814\tCOEUR D'ALENE\tID\r\n11760\tISLANDIA\tNY"));
    QCOMPARE(reader.records().size(), std::size_t(3));
    QCOMPARE(reader.records().at(1).city, std::string("COEUR D'ALENE"));
    QCOMPARE(reader.records().at(2).state, std::string("NY"));
    QVERIFY(reader.parse(""));
    QVERIFY(reader.records().empty());
}

void ZipTsvReaderTest::badLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::newRow("two fields") << QByteArray("03053\tLONDONDERRY\n") << 1;
    QTest::newRow("four fields") << QByteArray("03053\tA\tNH\n03054\tB\tNH\tX\n") << 2;
    QTest::newRow("short zip") << QByteArray("3053\tLONDONDERRY\tNH\n") << 1;
    QTest::newRow("letter in zip") << QByteArray("0305A\tLONDONDERRY\tNH\n") << 1;
    QTest::newRow("empty city") << QByteArray("03053\t\tNH\n") << 1;
    QTest::newRow("control in city") << QByteArray("03053\tLONDON\x01\tNH\n") << 1;
    QTest::newRow("long state") << QByteArray("03053\tLONDONDERRY\tNHX\n") << 1;
    QTest::newRow("empty line") << QByteArray("03053\tA\tNH\n\n03054\tB\tNH\n") << 2;
    QTest::newRow("nul") << QByteArray("03053\tA\0B\tNH\n", 14) << 1;
}

void ZipTsvReaderTest::badLines() {
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    ZipTsvReader reader;
    QVERIFY(!reader.parse(std::string_view(text.constData(), std::size_t(text.size()))));
    QCOMPARE(int(reader.error()->line), line);
    QVERIFY(reader.records().empty());
}

void ZipTsvReaderTest::builder_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QByteArray>("leftBehind"); // in zipbase.mdb.part by a build cut short
    QTest::addColumn<QByteArray>("message");
    const QByteArray good = "03053\tLONDONDERRY\tNH\n";
    QTest::newRow("after a build cut short")
        << good << readFile(QStringLiteral(QUELLIST_ZIPBASE)).left(40960) << QByteArray();
    QTest::newRow("a field too many")
        << good + "03054\tB\tNH\tX\n"
        << QByteArray()
        << QByteArray("TABLE:2: the line has 4 fields, not 3 (zip, city and state, separated by "
                      "tabs)\n");
}

void ZipTsvReaderTest::builder() {
    QFETCH(QByteArray, table);
    QFETCH(QByteArray, leftBehind);
    QFETCH(QByteArray, message);
    QTemporaryDir dir;
    const QString tsv = dir.filePath(QStringLiteral("zips.tsv"));
    const QString database = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(writeFile(tsv, table));
    if (!leftBehind.isEmpty())
        QVERIFY(writeFile(database + QStringLiteral(".part"), leftBehind));
    QProcess builder;
    builder.start(QStringLiteral(QUELLIST_ZIPBASE_BUILDER), {tsv, database});
    QVERIFY(builder.waitForFinished(60000));
    QCOMPARE(builder.readAllStandardError(), message.replace("TABLE", tsv.toUtf8()));
    QCOMPARE(builder.exitCode(), message.isEmpty() ? 0 : 1);
    QCOMPARE(QFileInfo::exists(database), message.isEmpty());
    QVERIFY(!QFileInfo::exists(database + QStringLiteral(".part")));
}

QTEST_GUILESS_MAIN(ZipTsvReaderTest)
#include "tst_ZipTsvReader.moc"
