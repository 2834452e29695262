#include "convert/ZipField.h"

QString columnList(std::span<const ZipField> fields) {
    QString list;
    for (ZipField field : fields) {
        if (!list.isEmpty())
            list += QStringLiteral(", ");
        list += QLatin1String(infoOf(field).column);
    }
    return list;
}
