#include "entries/ListFileReader.h"

#include "entries/EntryStream.h"

#include <QStringDecoder>

#include <array>

namespace ListFileReader {

namespace {

// Windows-1252 from 0x80 to 0x9F; the other bytes are their Latin-1 code points.
constexpr std::array<char16_t, 32> cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = std::uint8_t(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte <= 0x9F ? cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF))) // the mark would make the first entry unconvertible
        text.remove(0, 1);
    return text;
}

bool looksBinary(const QByteArray& bytes) {
    return bytes.contains('\0');
}

void forEachEntry(QStringView text, const std::function<void(QStringView entry)>& add) {
    EntryStream stream(add);
    stream.feed(text);
    stream.finish();
}

} // namespace ListFileReader
