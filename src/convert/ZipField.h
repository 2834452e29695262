#pragma once
// A database row as named fields, and the columns of fields as a query names them. The
// columns themselves are listed once, in ZipColumns.h.

#include "convert/ZipColumns.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <span>

// "CITY, STATE, ZIP": the fields' columns as a query names them, in the order given.
QString columnList(std::span<const ZipField> fields);

// One database row by its named fields; a field the query did not fetch is empty.
class ZipRow {
public:
    QStringView operator[](ZipField field) const { return values_[std::size_t(field)]; }
    void set(ZipField field, QStringView value) { values_[std::size_t(field)] = value; }

private:
    std::array<QStringView, zipFields.size()> values_{};
};
