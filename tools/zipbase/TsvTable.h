#pragma once
// A table of the zip data as the builder reads it: a header line naming the columns (the
// ones given, each once, in any order), then one record a line, its fields separated by
// tabs, each value checked by the rule of its column. Plain C++: the builder needs nothing
// but SQLite.

#include "convert/ZipColumns.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ZipTsvError {
    std::size_t line = 0; // 1-based line of the fault: 1 is the header
    std::string column;   // the column it lies in, when it lies in one
    std::string problem;
};

struct TsvColumn {
    const char* name;
    ZipValue value;
};

class TsvTable {
public:
    using Row = std::vector<std::string>; // the values in the order of the columns
    // A check of a whole row beside its values' (two columns together): the fault, or none.
    using RowCheck = std::function<std::optional<ZipTsvError>(const Row& row)>;

    TsvTable(std::vector<TsvColumn> columns, RowCheck check = {});

    // Parses the whole text; a final line end is optional, CR LF reads as LF. On the first
    // fault the rows read so far are dropped and error() tells where and why.
    bool parse(std::string_view text);

    const std::vector<Row>& rows() const { return rows_; }
    const std::optional<ZipTsvError>& error() const { return error_; }

private:
    std::optional<ZipTsvError> parseHeader(std::string_view line);
    std::optional<ZipTsvError> parseLine(std::string_view line);

    std::vector<TsvColumn> columns_;
    RowCheck check_;
    std::vector<std::size_t> positions_; // the field that holds each column
    std::size_t fieldCount_ = 0;
    std::vector<Row> rows_;
    std::optional<ZipTsvError> error_;
};
