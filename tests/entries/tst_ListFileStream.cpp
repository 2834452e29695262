// The one list reader: the window's and the converter's line rules, text cut at every
// place, files and pipes whose block ends fall inside a CR LF or a UTF-8 sequence, the
// encoding of a pipe decided without holding it, and binary pipes and endless lines held
// to bounded memory.

#include "entries/EntryStream.h"
#include "entries/ListFileStream.h"
#include "support/TestDevices.h"

#include <QBuffer>
#include <QStringDecoder>
#include <QTest>

namespace {

// What the rules give for the whole text at once: the oracle the pieces must agree with.
QStringList wholeText(const QString& text, LineRules rules = {}) {
    QStringList entries;
    EntryStream stream([&](QStringView e) { entries << e.toString(); }, rules);
    stream.feed(text);
    stream.finish();
    return entries;
}

// The whole list decoded at once: UTF-8 without its byte-order mark, else Windows-1252.
QString decoded(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? ListFileStream::decodeWindows1252(bytes) : text;
}

QStringList streamed(QIODevice& device, LineRules rules = {}) {
    QStringList entries;
    ListFileStream stream(rules);
    const auto outcome =
        stream.read(device, [&](QStringView entry) { entries << entry.toString(); });
    return outcome == ListFileStream::Outcome::Read ? entries : QStringList{"NOT READ"};
}

QStringList fromFile(QByteArray bytes, LineRules rules = {}) {
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    return streamed(device, rules);
}

QStringList fromPipe(const QByteArray& bytes, LineRules rules = {}) {
    PipeDevice device(bytes);
    return streamed(device, rules);
}

// Filler lines up to `at`, then `tail`: tail starts at byte `at` of the file.
QByteArray placedAt(qsizetype at, const QByteArray& tail) {
    QByteArray bytes;
    while (bytes.size() + 7 <= at)
        bytes += "03053\r\n";
    bytes += QByteArray(at - bytes.size(), 'x');
    return bytes + tail;
}

const LineRules anyLineEnd{LineEnds::Any, 0};

} // namespace

class ListFileStreamTest : public QObject {
    Q_OBJECT
private slots:
    void lineRules_data();
    void lineRules();
    void textCutAnywhere();
    void blockEnds_data();
    void blockEnds();
    void binaryPipeRefusedAtOnce();
    void endlessLineHeldToItsBound();
};

void ListFileStreamTest::lineRules_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("window");
    QTest::addColumn<QStringList>("converter");
    QTest::newRow("LF lines") << QByteArray("501\nnew york, ny\n")
                              << QStringList{"501", "new york, ny", "00000"}
                              << QStringList{"00501", "NEW YORK, NY"};
    QTest::newRow("CR LF lines") << QByteArray("501\r\nnew york, ny\r\n")
                                 << QStringList{"00501", "NEW YORK, NY"}
                                 << QStringList{"00501", "NEW YORK, NY"};
    QTest::newRow("CR lines, a blank one")
        << QByteArray("501\r\r03053") << QStringList{"00501", "00000", "03053"}
        << QStringList{"00501", "00000", "03053"};
    QTest::newRow("blank LF line")
        << QByteArray("501\n\n03053\n") << QStringList{"501", "", "03053", "00000"}
        << QStringList{"00501", "00000", "03053"};
    QTest::newRow("LF CR is two ends")
        << QByteArray("501\n\r03053") << QStringList{"501", "00000", "03053"}
        << QStringList{"00501", "00000", "03053"};
}

void ListFileStreamTest::lineRules() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, window);
    QFETCH(QStringList, converter);
    QCOMPARE(fromFile(bytes), window);
    QCOMPARE(fromPipe(bytes, anyLineEnd), converter);
}

void ListFileStreamTest::textCutAnywhere() {
    const QString text = QStringLiteral("03053\r\n1001\nnew york, ny\r\tMA\r\r\n a \n\nend\r\n\n");
    for (const LineRules rules : {LineRules{}, anyLineEnd}) {
        const QStringList expected = wholeText(text, rules);
        for (qsizetype cut = 0; cut <= text.size(); ++cut) {
            QStringList entries;
            EntryStream stream([&](QStringView e) { entries << e.toString(); }, rules);
            stream.feed(QStringView(text).left(cut));
            stream.feed(QStringView(text).mid(cut));
            stream.finish();
            QVERIFY2(entries == expected, qPrintable(QStringLiteral("cut at %1").arg(cut)));
        }
    }
}

void ListFileStreamTest::blockEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    const qsizetype block = ListFileStream::blockBytes;
    QTest::newRow("CR LF across blocks") << placedAt(block - 1, "\r\nBoston, MA\r\n");
    QTest::newRow("CR ends a block") << placedAt(block - 1, "\r");
    QTest::newRow("UTF-8 across blocks") << placedAt(block - 1, "\xC3\xA3o Paulo\r\n");
    QTest::newRow("three-byte UTF-8 across blocks") << placedAt(block - 2, "\xE2\x82\xAC 5\r\n");
    QTest::newRow("Windows-1252 late in the list") << placedAt(block + 5, "\xE3o Paulo\r\n");
    QTest::newRow("UTF-8 late, then Windows-1252 later")
        << placedAt(block + 5, "S\xC3\xA3o\r\n") + placedAt(block, "\x92\r\n");
    QTest::newRow("cut-off UTF-8 at the end") << placedAt(block + 5, "S\xC3");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                   "03053\r\n");
    QTest::newRow("non-ASCII first") << QByteArray("S\xC3\xA3o Paulo, SP\r\n03053\r\n");
}

// A file and a pipe with the same bytes give the entries of the whole text at once.
void ListFileStreamTest::blockEnds() {
    QFETCH(QByteArray, bytes);
    const QStringList expected = wholeText(decoded(bytes));
    QCOMPARE(fromFile(bytes), expected);
    QCOMPARE(fromPipe(bytes), expected);
}

// /dev/zero through a pipe: refused within the first block, not read on and on.
void ListFileStreamTest::binaryPipeRefusedAtOnce() {
    for (const QByteArray& start : {QByteArray(), QByteArray("03053\r\n")}) {
        PipeDevice zeros(start, true);
        QStringList entries;
        ListFileStream stream(anyLineEnd);
        const auto outcome = stream.read(zeros, [&](QStringView e) { entries << e.toString(); });
        QCOMPARE(outcome, ListFileStream::Outcome::Binary);
        QVERIFY(zeros.bytesRead() <= 2 * ListFileStream::blockBytes);
    }
}

// A line of no end: bounded, it reaches the skip callback with its beginning only.
void ListFileStreamTest::endlessLineHeldToItsBound() {
    const QByteArray line = QByteArray(3 * ListFileStream::blockBytes, 'a') + "\n03053\n";
    QStringList entries;
    QStringList skipped;
    ListFileStream stream({LineEnds::Any, 1000},
                          [&](QStringView start) { skipped << start.toString(); });
    PipeDevice pipe(line);
    QCOMPARE(stream.read(pipe, [&](QStringView e) { entries << e.toString(); }),
             ListFileStream::Outcome::Read);
    QCOMPARE(skipped, QStringList{QString(1000, u'A')});
    QCOMPARE(entries, QStringList{"03053"});
}

QTEST_GUILESS_MAIN(ListFileStreamTest)
#include "tst_ListFileStream.moc"
