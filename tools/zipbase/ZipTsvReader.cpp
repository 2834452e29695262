#include "zipbase/ZipTsvReader.h"

#include <algorithm>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

bool isPrintableText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7f; });
}

} // namespace

bool ZipTsvReader::parse(std::string_view text) {
    records_.clear();
    error_.reset();
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (auto problem = parseLine(line)) {
            records_.clear();
            error_ = ZipTsvError{lineNumber, *problem};
            return false;
        }
    }
    return true;
}

std::optional<std::string> ZipTsvReader::parseLine(std::string_view line) {
    if (const auto fields = std::count(line.begin(), line.end(), '\t') + 1; fields != 3)
        return "the line has " + std::to_string(fields) +
               " fields, not 3 (zip, city and state, separated by tabs)";
    const std::size_t firstTab = line.find('\t');
    const std::size_t secondTab = line.find('\t', firstTab + 1);

    ZipRecord record{std::string(line.substr(0, firstTab)),
                     std::string(line.substr(firstTab + 1, secondTab - firstTab - 1)),
                     std::string(line.substr(secondTab + 1))};
    if (record.zip.size() != 5 || !std::all_of(record.zip.begin(), record.zip.end(), isDigit))
        return "the zip code is not five digits";
    if (record.city.empty() || !isPrintableText(record.city))
        return "the city is empty or holds control characters";
    if (record.state.size() != 2 ||
        !std::all_of(record.state.begin(), record.state.end(), isUpperLetter))
        return "the state is not a two-letter code";
    records_.push_back(std::move(record));
    return std::nullopt;
}
