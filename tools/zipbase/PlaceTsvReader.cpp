#include "zipbase/PlaceTsvReader.h"

namespace {

// A place without a point could not stand for the place: neither value may be empty.
std::optional<ZipTsvError> withoutPoint(const TsvTable::Row& row) {
    if (!row[2].empty() && !row[3].empty())
        return std::nullopt;
    return ZipTsvError{0, row[2].empty() ? "latitude" : "longitude",
                       "a place has a point: the value is empty"};
}

} // namespace

bool PlaceTsvReader::parse(std::string_view text) {
    TsvTable table({{"city", ZipValue::Name},
                    {"state", ZipValue::StateCode},
                    {"latitude", ZipValue::Latitude},
                    {"longitude", ZipValue::Longitude}},
                   withoutPoint);
    records_.clear();
    error_.reset();
    if (!table.parse(text)) {
        error_ = table.error();
        return false;
    }
    for (const TsvTable::Row& row : table.rows())
        records_.push_back({row[0], row[1], row[2], row[3]});
    return true;
}
