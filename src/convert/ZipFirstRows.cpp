#include "convert/ZipFirstRows.h"

#include "convert/NearbyZips.h"

ZipFirstRows::ZipFirstRows(ZipDatabase& database, EntryConverter::RowMaker makeRow)
    : database_(database)
    , makeRow_(std::move(makeRow))
    , rowOfZip_(NearbyZips::zipCount, notLooked) {}

ZipFirstRows::TextId ZipFirstRows::rowOf(int zip) {
    TextId& row = rowOfZip_[std::size_t(zip)];
    if (row == notLooked) {
        TextId made = noRow;
        database_.lookupZipInTableOrder(zip, [&](const ZipRow& found) {
            if (made == noRow)
                made = makeRow_(found);
        });
        row = made;
    }
    return row;
}
