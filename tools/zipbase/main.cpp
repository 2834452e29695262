// zipbase_builder TSV MDB: builds the zip-code database the program ships with.

#include "zipbase/ZipTsvReader.h"
#include "zipbase/ZipbaseBuilder.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zipbase_builder us-zip-codes.tsv zipbase.mdb\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "zipbase_builder: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();

    ZipTsvReader reader;
    if (!reader.parse(text.str())) {
        const ZipTsvError& fault = *reader.error();
        std::cerr << argv[1] << ':' << fault.line << ": "
                  << (fault.column.empty() ? std::string() : "column " + fault.column + ": ")
                  << fault.problem << '\n';
        return 1;
    }
    if (const std::string problem = ZipbaseBuilder::build(reader.records(), argv[2]);
        !problem.empty()) {
        std::cerr << "zipbase_builder: " << argv[2] << ": " << problem << '\n';
        return 1;
    }
    return 0;
}
