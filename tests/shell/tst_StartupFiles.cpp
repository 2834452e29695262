// What start-up reads and derives: the cursor file reader (the shipped hand pointer and
// files that are not cursors) and the shortened application title.

#include "commands/ShortenAppTitle.h"
#include "shell/CursorFile.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray shippedCursor() {
    QFile file(QStringLiteral(QUELLIST_HAND_CURSOR));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A one-entry cursor directory followed by the image bytes.
QByteArray cursorWith(const QByteArray& image, int width = 2, int height = 2) {
    QByteArray bytes("\0\0\2\0\1\0", 6);
    bytes += char(width);
    bytes += char(height);
    bytes += QByteArray("\0\0\1\0\1\0", 6); // colours, reserved, hot spot (1, 1)
    const auto size = quint32(image.size());
    const quint32 offset = 22;
    for (quint32 value : {size, offset})
        for (int shift = 0; shift < 32; shift += 8)
            bytes += char((value >> shift) & 0xff);
    return bytes + image;
}

QByteArray bitmapHeader(int width, int height, int bits) {
    QByteArray header(40, '\0');
    const auto put = [&](int at, quint32 value, int length) {
        for (int i = 0; i < length; ++i)
            header[at + i] = char((value >> (8 * i)) & 0xff);
    };
    put(0, 40, 4);
    put(4, quint32(width), 4);
    put(8, quint32(height * 2), 4);
    put(12, 1, 2);
    put(14, quint32(bits), 2);
    return header;
}

} // namespace

class StartupFilesTest : public QObject {
    Q_OBJECT
private slots:
    void shippedHandPointer();
    void oneBitCursorWithPalette();
    void pngCursorIsHandedOver();
    void notACursor_data();
    void notACursor();
    void shortenAppTitle_data();
    void shortenAppTitle();
};

void StartupFilesTest::shippedHandPointer() {
    CursorFile reader;
    const auto image = reader.parse(shippedCursor());
    QVERIFY2(image, qPrintable(reader.error()));
    QCOMPARE(image->width, 32);
    QCOMPARE(image->height, 32);
    QCOMPARE(image->hotSpotX, 5); // the tip of the index finger
    QCOMPARE(image->hotSpotY, 0);
    QCOMPARE(image->argb.at(5), 0xff000000u);          // outline at the tip
    QCOMPARE(image->argb.at(0) >> 24, 0u);             // transparent corner
    QCOMPARE(image->argb.at(32 * 1 + 5), 0xffffffffu); // white inside the finger
}

void StartupFilesTest::oneBitCursorWithPalette() {
    // 2 x 2 pixels, 1 bit each: palette black and white; top row white, bottom row black;
    // the mask hides the bottom-right pixel. Rows are stored bottom-up, 4 bytes each.
    QByteArray image = bitmapHeader(2, 2, 1);
    image += QByteArray("\0\0\0\0\xff\xff\xff\0", 8);
    image += QByteArray("\0\0\0\0", 4) + QByteArray("\xc0\0\0\0", 4);
    image += QByteArray("\x40\0\0\0", 4) + QByteArray("\0\0\0\0", 4);
    CursorFile reader;
    const auto decoded = reader.parse(cursorWith(image));
    QVERIFY2(decoded, qPrintable(reader.error()));
    QCOMPARE(decoded->argb, (std::vector<std::uint32_t>{0xffffffff, 0xffffffff, 0xff000000, 0}));
}

void StartupFilesTest::pngCursorIsHandedOver() {
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(20, 'x');
    CursorFile reader;
    const auto image = reader.parse(cursorWith(png));
    QVERIFY(image);
    QCOMPARE(image->png, png);
    QVERIFY(image->argb.empty());
}

void StartupFilesTest::notACursor_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = shippedCursor();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("not a cursor at all, only some text here");
    QTest::newRow("icon, not cursor") << QByteArray("\0\0\1\0", 4) + good.mid(4);
    QTest::newRow("no images") << QByteArray("\0\0\2\0\0\0", 6) + good.mid(6);
    QTest::newRow("cut short") << good.left(good.size() - 100);
    QTest::newRow("image outside") << cursorWith(QByteArray(8, 'x')).left(26);
    QTest::newRow("huge bitmap") << cursorWith(bitmapHeader(100000, 100000, 32) +
                                               QByteArray(64, 0));
    QTest::newRow("16 bits") << cursorWith(bitmapHeader(2, 2, 16) + QByteArray(64, 0));
}

void StartupFilesTest::notACursor() {
    QFETCH(QByteArray, bytes);
    CursorFile reader;
    QVERIFY(!reader.parse(bytes));
    QVERIFY(!reader.error().isEmpty());
}

void StartupFilesTest::shortenAppTitle_data() {
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("title");
    QTest::newRow("one word") << "Quellist"
                              << "Quellist";
    QTest::newRow("exactly forty") << QString(40, u'a') << QString(40, u'a');
    QTest::newRow("whole words go") << "Quellist converts lists of postal codes for mailing lists"
                                    << "Quellist converts lists of postal codes";
    QTest::newRow("one long word") << QString(45, u'b') << QString(40, u'b');
}

void StartupFilesTest::shortenAppTitle() {
    QFETCH(QString, product);
    QFETCH(QString, title);
    QCOMPARE(ShortenAppTitle(product), title);
}

QTEST_GUILESS_MAIN(StartupFilesTest)
#include "tst_StartupFiles.moc"
