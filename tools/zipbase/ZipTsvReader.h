#pragma once
// Reads the zip-code table that the zipbase builder turns into the program's database: a
// TsvTable with the columns of convert/ZipColumns.h, a line's point either both empty or a
// point (latitude 0 and longitude 0 is a source's placeholder, refused).

#include "zipbase/TsvTable.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line of the table, its values in the order of zipFields.
struct ZipRecord {
    std::array<std::string, zipFields.size()> values;
    const std::string& operator[](ZipField field) const { return values[std::size_t(field)]; }
};

class ZipTsvReader {
public:
    // Parses the whole text (TsvTable::parse).
    bool parse(std::string_view text);

    const std::vector<ZipRecord>& records() const { return records_; }
    const std::optional<ZipTsvError>& error() const { return error_; }

private:
    std::vector<ZipRecord> records_;
    std::optional<ZipTsvError> error_;
};
