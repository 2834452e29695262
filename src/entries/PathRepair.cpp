#include "entries/PathRepair.h"

namespace {

QString collapsePairs(QStringView text) {
    QString collapsed;
    collapsed.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        collapsed += text[i];
        if (text[i] == u'/' && i + 1 < text.size() && text[i + 1] == u'/')
            ++i; // the second of the pair goes
    }
    return collapsed;
}

} // namespace

QString CollapseDoubleSlashes(const QString& path) {
    if (!path.startsWith(u'/'))
        return collapsePairs(path);
    qsizetype rest = 1;
    while (rest < path.size() && path[rest] == u'/')
        ++rest;
    return u'/' + collapsePairs(QStringView(path).mid(rest));
}
