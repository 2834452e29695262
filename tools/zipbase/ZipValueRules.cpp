#include "zipbase/ZipValueRules.h"

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
} // namespace

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
