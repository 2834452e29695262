#include "zipbase/TsvTable.h"

#include "zipbase/ZipValueRules.h"

#include <algorithm>

namespace {

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

} // namespace

TsvTable::TsvTable(std::vector<TsvColumn> columns, RowCheck check)
    : columns_(std::move(columns))
    , check_(std::move(check)) {}

bool TsvTable::parse(std::string_view text) {
    rows_.clear();
    error_.reset();
    positions_.clear();
    if (text.empty()) {
        error_ = ZipTsvError{1, {}, "the table is empty: it has no header line"};
        return false;
    }
    for (std::size_t lineNumber = 1; !text.empty() || lineNumber == 1; ++lineNumber) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (auto fault = lineNumber == 1 ? parseHeader(line) : parseLine(line)) {
            rows_.clear();
            fault->line = lineNumber;
            error_ = std::move(fault);
            return false;
        }
    }
    return true;
}

std::optional<ZipTsvError> TsvTable::parseHeader(std::string_view line) {
    const std::vector<std::string_view> names = fieldsOf(line);
    fieldCount_ = names.size();
    for (std::string_view name : names)
        if (std::none_of(columns_.begin(), columns_.end(),
                         [&](const TsvColumn& c) { return name == c.name; }))
            return ZipTsvError{0, std::string(name), "the header names a column the table has not"};
    for (const TsvColumn& column : columns_) {
        const auto at = std::find(names.begin(), names.end(), std::string_view(column.name));
        if (at == names.end())
            return ZipTsvError{0, column.name, "the header lacks the column"};
        if (std::find(at + 1, names.end(), std::string_view(column.name)) != names.end())
            return ZipTsvError{0, column.name, "the header names the column twice"};
        positions_.push_back(std::size_t(at - names.begin()));
    }
    return std::nullopt;
}

std::optional<ZipTsvError> TsvTable::parseLine(std::string_view line) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != fieldCount_)
        return ZipTsvError{0,
                           {},
                           "the line has " + std::to_string(fields.size()) +
                               (fields.size() == 1 ? " field" : " fields") + ", not the " +
                               std::to_string(fieldCount_) + " of the header (separated by tabs)"};
    Row row;
    row.reserve(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        const std::string_view value = fields[positions_[i]];
        if (auto problem = checkValue(columns_[i].value, value))
            return ZipTsvError{0, columns_[i].name, *problem};
        row.emplace_back(value);
    }
    if (check_)
        if (auto fault = check_(row))
            return fault;
    rows_.push_back(std::move(row));
    return std::nullopt;
}
