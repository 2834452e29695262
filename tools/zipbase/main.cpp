// zipbase_builder ZIPS.tsv [PLACES.tsv] zipbase.mdb: builds the zip-code database the program
// ships with, from the zip table and, where given, the table of places.

#include "zipbase/PlaceTsvReader.h"
#include "zipbase/ZipTsvReader.h"
#include "zipbase/ZipbaseBuilder.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

namespace {

std::optional<std::string> readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "zipbase_builder: cannot read " << path << '\n';
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A reader's fault as "FILE:LINE: column C: problem".
template <class Reader> bool parsed(Reader& reader, const char* path) {
    const std::optional<std::string> text = readAll(path);
    if (!text)
        return false;
    if (reader.parse(*text))
        return true;
    const ZipTsvError& fault = *reader.error();
    std::cerr << path << ':' << fault.line << ": "
              << (fault.column.empty() ? std::string() : "column " + fault.column + ": ")
              << fault.problem << '\n';
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: zipbase_builder us-zip-codes.tsv [us-places.tsv] zipbase.mdb\n";
        return 2;
    }
    ZipTsvReader zips;
    PlaceTsvReader places;
    if (!parsed(zips, argv[1]) || (argc == 4 && !parsed(places, argv[2])))
        return 1;
    const char* target = argv[argc - 1];
    if (const std::string problem = ZipbaseBuilder::build(zips.records(), places.records(), target);
        !problem.empty()) {
        std::cerr << "zipbase_builder: " << target << ": " << problem << '\n';
        return 1;
    }
    return 0;
}
