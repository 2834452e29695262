#pragma once
// Reads the table of places the database builder puts beside the zips (data/us-places.tsv):
// a TsvTable with the columns city, state, latitude and longitude, every place with its
// point.

#include "zipbase/TsvTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PlaceRecord {
    std::string city;
    std::string state;
    std::string latitude;
    std::string longitude;
};

class PlaceTsvReader {
public:
    // Parses the whole text (TsvTable::parse).
    bool parse(std::string_view text);

    const std::vector<PlaceRecord>& records() const { return records_; }
    const std::optional<ZipTsvError>& error() const { return error_; }

private:
    std::vector<PlaceRecord> records_;
    std::optional<ZipTsvError> error_;
};
