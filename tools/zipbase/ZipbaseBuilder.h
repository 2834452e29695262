#pragma once
// Writes the program's zip-code database: an SQLite file with the table ZIP_CODES (a
// column for each of zipFields, text that compares without regard to letter case) and a
// covering index for each of the two lookups the window's run makes; ZIP_POINTS, an
// R*Tree over the zips' points for the converter's searches by distance; and, with places,
// PLACES (city, state and point of the places the zip data does not name, indexed by city
// and state) and PLACE_POINTS, the R*Tree of their points.

#include "zipbase/PlaceTsvReader.h"
#include "zipbase/ZipTsvReader.h"

#include <string>
#include <vector>

class ZipbaseBuilder {
public:
    // Builds the database into a temporary file beside target and renames it over
    // target only when complete. Returns an empty string on success, else the problem (a
    // table without rows is one).
    static std::string build(const std::vector<ZipRecord>& records,
                             const std::vector<PlaceRecord>& places, const std::string& target);
};
