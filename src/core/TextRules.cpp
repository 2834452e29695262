#include "core/TextRules.h"

QStringView TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString PadZip(const QString& text) {
    const qsizetype missing = 5 - text.size();
    return missing > 0 ? QString(missing, u'0') + text : text;
}
