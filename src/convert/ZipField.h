#pragma once
// The text columns of the table ZIP_CODES that a run can fetch, named, and a database row
// as those named fields. This list is the one place that knows the columns: the save
// options, the queries, the database's shape check and the converter's csv header all
// read it, so a further column is one more line here (and in the data).

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <span>

enum class ZipField { City, State, Zip };

struct ZipFieldInfo {
    ZipField field;
    const char* column; // its name in ZIP_CODES
    const char* header; // its name in the converter's csv and tsv header
    bool properCase;    // shown in ProperCase (city names); else as stored
};

inline constexpr std::array<ZipFieldInfo, 3> zipFields{{
    {ZipField::City, "CITY", "city", true},
    {ZipField::State, "STATE", "state", false},
    {ZipField::Zip, "ZIP", "zip", false},
}};

inline const ZipFieldInfo& infoOf(ZipField field) {
    return zipFields[std::size_t(field)];
}

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
