#pragma once
// Reads the zip-code table that the zipbase builder turns into the program's database: a
// header line naming the columns (those of convert/ZipColumns.h, each once, in any order),
// then one record a line, its fields separated by tabs. Plain C++, so that the builder
// needs nothing but SQLite.

#include "convert/ZipColumns.h"

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

struct ZipTsvError {
    std::size_t line = 0; // 1-based line of the fault: 1 is the header
    std::string column;   // the column it lies in, when it lies in one
    std::string problem;
};

class ZipTsvReader {
public:
    // Parses the whole text; a final line end is optional, CR LF reads as LF. On the first
    // fault the records read so far are dropped and error() tells where and why.
    bool parse(std::string_view text);

    const std::vector<ZipRecord>& records() const { return records_; }
    const std::optional<ZipTsvError>& error() const { return error_; }

private:
    std::optional<ZipTsvError> parseHeader(std::string_view line);
    std::optional<ZipTsvError> parseLine(std::string_view line);

    std::vector<std::size_t> positions_; // the field that holds each column of zipFields
    std::size_t fieldCount_ = 0;
    std::vector<ZipRecord> records_;
    std::optional<ZipTsvError> error_;
};
