#include "cli/DelimitedCell.h"

namespace {

bool isAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool needsQuotes(QStringView text) {
    for (QChar c : text)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

void appendText(QByteArray& out, QStringView text) {
    if (!isAscii(text)) {
        out += text.toUtf8();
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* bytes = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = char(text[i].unicode());
}

// Fields of plain ASCII, nearly all of them, in one pass; false (out unchanged) for any
// other.
bool appendPlain(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* bytes = out.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80 || c == u'"' || c == u',' || c == u'\r' || c == u'\n' || c == u'\t') {
            out.resize(start);
            return false;
        }
        bytes[i] = char(c);
    }
    return true;
}

} // namespace

void appendCell(QByteArray& out, QStringView text, bool csv) {
    if (appendPlain(out, text))
        return;
    if (!csv) {
        const qsizetype start = out.size();
        appendText(out, text);
        for (qsizetype i = start; i < out.size(); ++i)
            if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n')
                out[i] = ' ';
        return;
    }
    if (!needsQuotes(text)) {
        appendText(out, text);
        return;
    }
    out += '"';
    const qsizetype start = out.size();
    appendText(out, text);
    for (qsizetype i = start; i < out.size(); ++i)
        if (out[i] == '"')
            out.insert(i++, '"');
    out += '"';
}
