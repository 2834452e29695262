#pragma once
// The fields a written row shows, in order: fields of the zip table and the distance where
// --fields puts it. The distance differs from entry to entry while the rest of a row does
// not, so a row's bytes are made once with a mark where the distance goes (RowBytes::head
// and tail), and each entry's distance is written between the two.

#include "cli/BufferedOutput.h"
#include "cli/RowBytes.h"
#include "convert/FoundRows.h"
#include "convert/ZipColumns.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <iterator>
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
    template <class Append> qsizetype appendFields(QByteArray& out, const Append& append) const {
        qsizetype distanceMark = -1;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (distanceAt == i)
                distanceMark = out.size();
            append(out, fields[i]);
        }
        return distanceMark < 0 ? out.size() : distanceMark;
    }

    // The i-th of the rows as its bytes were made; where the fields show a distance, lead (a
    // separator, or a JSON name) and the miles with one decimal ("12.5") at the mark, or
    // none for a row without a distance.
    void appendRow(BufferedOutput& out, const RowBytes& bytes, const FoundRows& rows, std::size_t i,
                   QByteArrayView lead, QByteArrayView none) const {
        const RowBytes::TextId id = rows.ids[i];
        if (!hasDistance())
            return out.append(bytes[id]);
        out.append(bytes.head(id));
        out.append(lead);
        if (rows.hasDistances()) {
            char miles[16]; // "12.5": the digits backwards from the end
            char* start = std::end(miles);
            *--start = char('0' + rows.tenths[i] % 10);
            *--start = '.';
            std::uint32_t whole = rows.tenths[i] / 10;
            do
                *--start = char('0' + whole % 10);
            while ((whole /= 10) != 0);
            out.append(QByteArrayView(start, std::end(miles)));
        } else {
            out.append(none);
        }
        out.append(bytes.tail(id));
    }
};
