#pragma once
// quellist-convert --within: an entry's centres are the points of the zips it converts to
// (a zip its own, a "City, ST" every zip of the place), and its rows are every zip within
// the distance of any centre, each once at its distance to the nearest centre, nearest
// first, ties by zip. A zip's row is made from its first line in the table, so a zip with
// two place names is one row. Entries repeat, so the rows of each set of centres are kept
// for the run, up to a bound.

#include "convert/EntryConverter.h"
#include "convert/NearbyZips.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>
#include <vector>

class WithinDistance {
public:
    using TextId = EntryConverter::TextId;
    struct Row {
        TextId row;
        std::uint32_t tenths; // the distance in tenths of a mile, rounded
    };
    struct Result {
        std::span<const Row> rows; // valid until the next call
        QString failure;           // a lookup's failure, told once (convertKeeping)
        QString noPoint;           // why an entry that found zips has no rows
    };

    // The database's lookups must fetch the zip, and its points be prepared.
    WithinDistance(ZipDatabase& database, double miles, EntryConverter::RowMaker makeRow,
                   LooseNames* loose);

    Result rowsNear(QStringView entry);
    QStringList suggestions(QStringView entry) { return centres_.suggestions(entry); }

private:
    struct Kept {
        std::size_t first;
        std::size_t count;
    };
    // Beyond this many rows kept (8 bytes each), the kept rows are forgotten: memory stays bounded.
    static constexpr std::size_t maxKeptRows = std::size_t(1) << 24;

    Kept search(std::span<const int> zips);
    TextId rowOf(int zip);

    ZipDatabase& database_;
    EntryConverter centres_; // its rows are the zips' numbers
    NearbyZips nearby_;
    EntryConverter::RowMaker makeRow_;
    std::vector<TextId> rowOfZip_; // by zip number; noRow until made
    std::vector<Row> kept_;
    QHash<QByteArray, Kept> keptByCentres_;
    std::vector<int> zips_;
    static constexpr TextId noRow = ~TextId(0);
};
