#include "zipbase/ZipTsvReader.h"

#include <algorithm>
#include <charconv>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isFiveDigits(std::string_view text) {
    return text.size() == 5 && std::all_of(text.begin(), text.end(), isDigit);
}

bool isPrintableText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7f; });
}

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

// Decimal degrees as the sources write them ("-71.3772"): a sign, digits, a point, digits.
bool isDegrees(std::string_view text, double bound) {
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view part =
        point == std::string_view::npos ? std::string_view("0") : digits.substr(point + 1);
    if (whole.empty() || part.empty() || !std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(part.begin(), part.end(), isDigit))
        return false;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value >= -bound && value <= bound;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// An IANA time zone name: a letter first, then letters, digits and _ + - /.
bool isTimeZone(std::string_view text) {
    constexpr std::size_t longest = 64;
    const auto named = [](char c) {
        return isLetter(c) || isDigit(c) || c == '_' || c == '+' || c == '-' || c == '/';
    };
    return !text.empty() && text.size() <= longest && isLetter(text[0]) &&
           std::all_of(text.begin(), text.end(), named);
}

// Why the value cannot stand in its column; nothing when it can.
std::optional<std::string> checkValue(ZipValue rule, std::string_view value) {
    const std::string shown = '"' + std::string(value) + '"';
    switch (rule) {
    case ZipValue::FiveDigits:
        return isFiveDigits(value) ? std::nullopt : std::optional(shown + " is not five digits");
    case ZipValue::Name:
        if (value.empty() || !isPrintableText(value))
            return "empty or holds control characters";
        return std::nullopt;
    case ZipValue::StateCode:
        if (value.size() == 2 &&
            std::all_of(value.begin(), value.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            return std::nullopt;
        return shown + " is not a two-letter code";
    case ZipValue::Text:
        return isPrintableText(value) ? std::nullopt
                                      : std::optional<std::string>("holds control characters");
    case ZipValue::FipsCode:
        return value.empty() || isFiveDigits(value) ? std::nullopt
                                                    : std::optional(shown + " is not five digits");
    case ZipValue::Latitude:
        return value.empty() || isDegrees(value, 90)
                   ? std::nullopt
                   : std::optional(shown + " is not a latitude (a number from -90 to 90)");
    case ZipValue::Longitude:
        return value.empty() || isDegrees(value, 180)
                   ? std::nullopt
                   : std::optional(shown + " is not a longitude (a number from -180 to 180)");
    case ZipValue::TimeZone:
        return value.empty() || isTimeZone(value)
                   ? std::nullopt
                   : std::optional(shown + " is not a time zone name (America/Denver)");
    }
    return std::nullopt;
}

// Latitude 0, longitude 0: where a source puts a zip it has no point for.
bool isPlaceholderPoint(const ZipRecord& record) {
    const std::string& latitude = record[ZipField::Latitude];
    const std::string& longitude = record[ZipField::Longitude];
    double lat = 1;
    double lon = 1;
    std::from_chars(latitude.data(), latitude.data() + latitude.size(), lat);
    std::from_chars(longitude.data(), longitude.data() + longitude.size(), lon);
    return !latitude.empty() && !longitude.empty() && lat == 0 && lon == 0;
}

} // namespace

bool ZipTsvReader::parse(std::string_view text) {
    records_.clear();
    error_.reset();
    positions_.clear();
    if (text.empty()) {
        error_ = ZipTsvError{1, {}, "the table is empty: it has no header line"};
        return false;
    }
    std::size_t lineNumber = 0;
    while (!text.empty() || lineNumber == 0) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (auto fault = lineNumber == 1 ? parseHeader(line) : parseLine(line)) {
            records_.clear();
            fault->line = lineNumber;
            error_ = std::move(fault);
            return false;
        }
    }
    return true;
}

std::optional<ZipTsvError> ZipTsvReader::parseHeader(std::string_view line) {
    const std::vector<std::string_view> names = fieldsOf(line);
    fieldCount_ = names.size();
    for (std::string_view name : names)
        if (std::none_of(zipFields.begin(), zipFields.end(),
                         [&](const ZipFieldInfo& f) { return name == f.header; }))
            return ZipTsvError{0, std::string(name), "the header names a column the table has not"};
    for (const ZipFieldInfo& field : zipFields) {
        const auto at = std::find(names.begin(), names.end(), std::string_view(field.header));
        if (at == names.end())
            return ZipTsvError{0, field.header, "the header lacks the column"};
        if (std::find(at + 1, names.end(), std::string_view(field.header)) != names.end())
            return ZipTsvError{0, field.header, "the header names the column twice"};
        positions_.push_back(std::size_t(at - names.begin()));
    }
    return std::nullopt;
}

std::optional<ZipTsvError> ZipTsvReader::parseLine(std::string_view line) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != fieldCount_)
        return ZipTsvError{0,
                           {},
                           "the line has " + std::to_string(fields.size()) + " fields, not the " +
                               std::to_string(fieldCount_) + " of the header (separated by tabs)"};
    ZipRecord record;
    for (std::size_t i = 0; i < zipFields.size(); ++i) {
        const std::string_view value = fields[positions_[i]];
        if (auto problem = checkValue(zipFields[i].value, value))
            return ZipTsvError{0, zipFields[i].header, *problem};
        record.values[i] = std::string(value);
    }
    if (isPlaceholderPoint(record))
        return ZipTsvError{0, infoOf(ZipField::Latitude).header,
                           "latitude 0 and longitude 0 is a source's placeholder, not a point: "
                           "leave both empty"};
    records_.push_back(std::move(record));
    return std::nullopt;
}
