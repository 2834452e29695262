#pragma once
// The row of each zip made from its first line in the table (its first place name), made
// once in a run: in the answers of a search by distance a zip is one row, however many
// names it has.

#include "convert/EntryConverter.h"

#include <vector>

class ZipFirstRows {
public:
    using TextId = EntryConverter::TextId;
    static constexpr TextId noRow = ~TextId(0);

    ZipFirstRows(ZipDatabase& database, EntryConverter::RowMaker makeRow);

    // The zip's row; noRow when the table has no line of it. Throws what the lookup throws.
    TextId rowOf(int zip);

private:
    ZipDatabase& database_;
    EntryConverter::RowMaker makeRow_;
    static constexpr TextId notLooked = noRow - 1;
    std::vector<TextId> rowOfZip_; // by zip number; notLooked until looked up
};
