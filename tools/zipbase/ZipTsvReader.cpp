#include "zipbase/ZipTsvReader.h"

#include <charconv>

namespace {

std::vector<TsvColumn> zipColumns() {
    std::vector<TsvColumn> columns;
    columns.reserve(zipFields.size());
    for (const ZipFieldInfo& field : zipFields)
        columns.push_back({field.header, field.value});
    return columns;
}

double degreesOf(const std::string& text) {
    double value = 1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Latitude 0, longitude 0: where a source puts a zip it has no point for.
std::optional<ZipTsvError> placeholderPoint(const TsvTable::Row& row) {
    const std::string& latitude = row[std::size_t(ZipField::Latitude)];
    const std::string& longitude = row[std::size_t(ZipField::Longitude)];
    if (latitude.empty() || longitude.empty() || degreesOf(latitude) != 0 ||
        degreesOf(longitude) != 0)
        return std::nullopt;
    return ZipTsvError{0, infoOf(ZipField::Latitude).header,
                       "latitude 0 and longitude 0 is a source's placeholder, not a point: "
                       "leave both empty"};
}

} // namespace

bool ZipTsvReader::parse(std::string_view text) {
    TsvTable table(zipColumns(), placeholderPoint);
    records_.clear();
    error_.reset();
    if (!table.parse(text)) {
        error_ = table.error();
        return false;
    }
    records_.reserve(table.rows().size());
    for (const TsvTable::Row& row : table.rows()) {
        ZipRecord record;
        std::copy(row.begin(), row.end(), record.values.begin());
        records_.push_back(std::move(record));
    }
    return true;
}
