#include "convert/EntryRules.h"
#include "core/TextRules.h"

namespace {

bool separatesWords(char32_t c) {
    return c == 0 || (c >= 0x09 && c <= 0x0D) || c == 0x20;
}

bool isAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

QString properCaseAscii(QStringView text) {
    QString cased(text.size(), Qt::Uninitialized);
    bool wordStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= u'a' && c <= u'z' && wordStart)
            c = char16_t(c - u'a' + u'A');
        else if (c >= u'A' && c <= u'Z' && !wordStart)
            c = char16_t(c - u'A' + u'a');
        cased[i] = QChar(c);
        wordStart = separatesWords(c);
    }
    return cased;
}

// Letters beyond ASCII: the locale converts each letter, code point by code point.
QString properCaseUnicode(QStringView text, const QLocale& locale) {
    QString cased;
    cased.reserve(text.size());
    bool wordStart = true;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                               : 1;
        const QStringView unit = text.mid(i, length);
        const char32_t codePoint = length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                               : char32_t(text[i].unicode());
        if (QChar::isLetter(codePoint))
            cased += wordStart ? locale.toUpper(unit.toString()) : locale.toLower(unit.toString());
        else
            cased += unit;
        wordStart = separatesWords(codePoint);
        i += length;
    }
    return cased;
}

} // namespace

QStringView ZipOfZipPlusFour(QStringView entry) {
    const QStringView code = TrimBlanks(entry);
    const auto digits = [&](qsizetype from, qsizetype count) {
        for (qsizetype i = from; i < from + count; ++i)
            if (code[i] < u'0' || code[i] > u'9')
                return false;
        return true;
    };
    const bool joined = code.size() == 9 && digits(0, 9);
    const bool hyphened = code.size() == 10 && digits(0, 5) && code[5] == u'-' && digits(6, 4);
    return joined || hyphened ? code.first(5) : QStringView();
}

LookupKeys ClassifyEntry(QStringView entry, const NumericText& numeric) {
    LookupKeys keys;
    if (numeric.test(entry)) {
        keys.kind = EntryKind::Zip;
        keys.zip = entry;
        return keys;
    }
    const qsizetype firstComma = entry.indexOf(u',');
    if (firstComma < 0)
        return keys;
    const qsizetype secondComma = entry.indexOf(u',', firstComma + 1);
    const qsizetype stateEnd = secondComma < 0 ? entry.size() : secondComma;
    keys.kind = EntryKind::CityState;
    keys.city = TrimBlanks(entry.left(firstComma));
    keys.state = TrimBlanks(entry.mid(firstComma + 1, stateEnd - firstComma - 1));
    return keys;
}

QString ProperCase(QStringView text, const QLocale& locale) {
    return isAscii(text) ? properCaseAscii(text) : properCaseUnicode(text, locale);
}
