#include "ListFileReader.h"

#include "EntryRules.h"

#include <QStringDecoder>

#include <array>

namespace ListFileReader {

namespace {

// Windows-1252 from 0x80 to 0x9F; the other bytes are their Latin-1 code points.
constexpr std::array<char16_t, 32> cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = std::uint8_t(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte <= 0x9F ? cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

bool hasLowerCase(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80 || (c >= u'a' && c <= u'z'))
            return true; // beyond ASCII: let the full case mapping decide
    return false;
}

// Steps 5 to 7 for one line; buffers are reused from line to line.
class LineShaper {
public:
    explicit LineShaper(const std::function<void(QStringView)>& add)
        : add_(add) {}

    void shape(QStringView line) {
        if (line.contains(u'\t')) {
            withoutTabs_ = line.toString();
            withoutTabs_.remove(u'\t');
            line = withoutTabs_;
        }
        qsizetype lineFeed = -1;
        while ((lineFeed = line.indexOf(u'\n')) >= 0) {
            add_(TrimBlanks(line.left(lineFeed)));
            line = line.mid(lineFeed + 1);
        }
        addPaddedUpper(line);
    }

private:
    void addPaddedUpper(QStringView line) {
        if (line.size() < 5) {
            shaped_ = PadZip(line.toString()).toUpper();
            add_(TrimBlanks(shaped_));
        } else if (hasLowerCase(line)) {
            shaped_ = line.toString().toUpper();
            add_(TrimBlanks(shaped_));
        } else {
            add_(TrimBlanks(line));
        }
    }

    const std::function<void(QStringView)>& add_;
    QString withoutTabs_;
    QString shaped_;
};

} // namespace

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
    LineShaper shaper(add);
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype carriageReturn = text.indexOf(u'\r', position);
        const qsizetype end = carriageReturn < 0 ? text.size() : carriageReturn;
        shaper.shape(text.mid(position, end - position));
        position = end + 1;
        if (position < text.size() && text[position] == u'\n')
            ++position;
    }
}

} // namespace ListFileReader
