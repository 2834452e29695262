#include "entries/PathRepair.h"

namespace {

QString collapsePairs(QStringView text, QChar separator) {
    QString collapsed;
    collapsed.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        collapsed += text[i];
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
            ++i; // the second of the pair goes
    }
    return collapsed;
}

QString collapse(const QString& path, QChar separator, const QString& leadingRun) {
    if (!path.startsWith(separator))
        return collapsePairs(path, separator);
    qsizetype rest = 1;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    return leadingRun + collapsePairs(QStringView(path).mid(rest), separator);
}

} // namespace

QString CollapseDoubleBackslashes(const QString& path) {
    return collapse(path, u'\\', QStringLiteral("\\\\"));
}

QString CollapseDoubleSlashes(const QString& path) {
    return collapse(path, u'/', QStringLiteral("/"));
}
