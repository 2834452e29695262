#pragma once
// The fields a written row shows, in order: fields of the zip table and, with --within,
// the distance where --fields put it. The distance differs from entry to entry while the
// rest of a row does not, so a row's bytes are made once with a mark where the distance
// goes (RowBytes::head and tail), and the distance is written between the two.

#include "cli/BufferedOutput.h"
#include "cli/ConvertOptions.h"
#include "cli/RowBytes.h"
#include "convert/WithinDistance.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <vector>

struct FieldList {
    std::vector<ZipField> fields;
    std::optional<std::size_t> distanceAt;

    bool hasDistance() const { return distanceAt.has_value(); }
    std::size_t count() const { return fields.size() + (distanceAt ? 1 : 0); }

    // The names of the fields in order, as headers write them.
    QStringList names() const {
        QStringList names;
        for (ZipField field : fields)
            names << QString::fromLatin1(infoOf(field).header);
        if (distanceAt)
            names.insert(qsizetype(*distanceAt), QStringLiteral("distance"));
        return names;
    }

    // Appends each field with append(out, field), in order; returns where the distance goes
    // (out's size at the end when there is none).
    template <class Append> qsizetype appendRow(QByteArray& out, const Append& append) const {
        qsizetype distanceMark = -1;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (distanceAt == i)
                distanceMark = out.size();
            append(out, fields[i]);
        }
        return distanceMark < 0 ? out.size() : distanceMark;
    }

    // A row made with a mark where the distance goes: the row before the mark, then lead
    // (a separator, or a JSON name) and the miles with one decimal ("12.5"), then the rest.
    static void appendNear(BufferedOutput& out, const RowBytes& rows,
                           const WithinDistance::Row& row, QByteArrayView lead) {
        out.append(rows.head(row.row));
        out.append(lead);
        char miles[16];
        const int size = std::snprintf(miles, sizeof miles, "%u.%u", unsigned(row.tenths / 10),
                                       unsigned(row.tenths % 10));
        out.append(QByteArrayView(miles, size));
        out.append(rows.tail(row.row));
    }
};
