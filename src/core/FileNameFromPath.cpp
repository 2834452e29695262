#include "core/FileNameFromPath.h"

QStringView FileNameFromPath(QStringView path) {
    const qsizetype lastBackslash = path.lastIndexOf(u'\\');
    return lastBackslash < 0 ? path : path.mid(lastBackslash + 1);
}
