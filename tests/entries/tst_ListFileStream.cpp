// Reading a list a piece at a time gives exactly the entries of reading it whole: text cut
// at every place, and files whose block ends fall inside a CR LF or a UTF-8 sequence.

#include "entries/EntryStream.h"
#include "entries/ListFileReader.h"
#include "entries/ListFileStream.h"

#include <QBuffer>
#include <QTest>

namespace {

QStringList whole(const QByteArray& bytes) {
    QStringList entries;
    ListFileReader::forEachEntry(ListFileReader::decode(bytes),
                                 [&](QStringView entry) { entries << entry.toString(); });
    return entries;
}

QStringList streamed(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    QStringList entries;
    ListFileStream stream;
    const auto outcome =
        stream.read(device, [&](QStringView entry) { entries << entry.toString(); });
    return outcome == ListFileStream::Outcome::Read ? entries : QStringList{"NOT READ"};
}

// Filler lines up to `at`, then `tail`: tail starts at byte `at` of the file.
QByteArray placedAt(qsizetype at, const QByteArray& tail) {
    QByteArray bytes;
    while (bytes.size() + 7 <= at)
        bytes += "03053\r\n";
    bytes += QByteArray(at - bytes.size(), 'x');
    return bytes + tail;
}

} // namespace

class ListFileStreamTest : public QObject {
    Q_OBJECT
private slots:
    void textCutAnywhere();
    void blockEnds_data();
    void blockEnds();
};

void ListFileStreamTest::textCutAnywhere() {
    const QString text = QStringLiteral("03053\r\n1001\nnew york, ny\r\tMA\r\r\n a \n\nend\r\n\n");
    QStringList expected;
    ListFileReader::forEachEntry(text, [&](QStringView e) { expected << e.toString(); });
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        QStringList entries;
        EntryStream stream([&](QStringView e) { entries << e.toString(); });
        stream.feed(QStringView(text).left(cut));
        stream.feed(QStringView(text).mid(cut));
        stream.finish();
        QVERIFY2(entries == expected, qPrintable(QStringLiteral("cut at %1").arg(cut)));
    }
}

void ListFileStreamTest::blockEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    const qsizetype block = ListFileStream::blockBytes;
    QTest::newRow("CR LF across blocks") << placedAt(block - 1, "\r\nBoston, MA\r\n");
    QTest::newRow("CR ends a block") << placedAt(block - 1, "\r");
    QTest::newRow("UTF-8 across blocks") << placedAt(block - 1, "\xC3\xA3o Paulo\r\n");
    QTest::newRow("three-byte UTF-8 across blocks") << placedAt(block - 2, "\xE2\x82\xAC 5\r\n");
    QTest::newRow("Windows-1252 late in the file") << placedAt(block + 5, "\xE3o Paulo\r\n");
    QTest::newRow("cut-off UTF-8 at the end") << placedAt(block + 5, "S\xC3");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                   "03053\r\n");
}

void ListFileStreamTest::blockEnds() {
    QFETCH(QByteArray, bytes);
    QCOMPARE(streamed(bytes), whole(bytes));
}

QTEST_GUILESS_MAIN(ListFileStreamTest)
#include "tst_ListFileStream.moc"
