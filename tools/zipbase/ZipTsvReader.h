#pragma once
// Reads the zip-code table (ZIP<TAB>CITY<TAB>STATE, one record a line) that the
// zipbase builder turns into the program's database. Plain C++, so the builder
// needs nothing but SQLite.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ZipRecord {
    std::string zip;
    std::string city;
    std::string state;
};

struct ZipTsvError {
    std::size_t line = 0; // 1-based line of the offending record
    std::string problem;
};

class ZipTsvReader {
public:
    // Parses the whole text. Every line must hold a five-digit zip code, a non-empty
    // city and a two-letter state, separated by single tabs; a final line end is optional.
    // On the first bad line the records read so far are dropped and error() tells why.
    bool parse(std::string_view text);

    const std::vector<ZipRecord>& records() const { return records_; }
    const std::optional<ZipTsvError>& error() const { return error_; }

private:
    std::optional<std::string> parseLine(std::string_view line);

    std::vector<ZipRecord> records_;
    std::optional<ZipTsvError> error_;
};
