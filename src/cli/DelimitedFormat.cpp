#include "cli/DelimitedFormat.h"

namespace {

bool needsQuotes(QStringView text) {
    for (QChar c : text)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
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

void DelimitedFormat::appendField(QByteArray& out, QStringView text) const {
    if (appendPlain(out, text))
        return;
    if (!csv_) {
        const qsizetype start = out.size();
        out += text.toUtf8();
        for (qsizetype i = start; i < out.size(); ++i)
            if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n')
                out[i] = ' ';
        return;
    }
    if (!needsQuotes(text)) {
        out += text.toUtf8();
        return;
    }
    out += '"';
    for (const char byte : text.toUtf8()) {
        if (byte == '"')
            out += '"'; // doubled
        out += byte;
    }
    out += '"';
}
