#pragma once
// The rows of an entry by distance (--within, --nearest, a point): its centres are the
// points of the zips it converts to (a zip its own, a "City, ST" every zip of the place),
// the point of a place the zip data does not name (NamedPlaces), or the point it names; a search
// finds the zips around them, and each is a row made from the zip's first line, nearest first, with
// its distance to the nearest centre, ties by zip. Entries repeat, so the rows of each set of
// centres are kept for the run, up to a bound.

#include "convert/EntryConverter.h"
#include "convert/FoundRows.h"
#include "convert/GeoPoint.h"
#include "convert/NamedPlaces.h"
#include "convert/ZipFirstRows.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class CentredRows {
public:
    using TextId = EntryConverter::TextId;
    // The zips around centre zips, and around a point, nearest first; valid until the next
    // search.
    using Search = std::function<const std::vector<NearZip>&(std::span<const int> centres)>;
    using PointSearch = std::function<const std::vector<NearZip>&(GeoPoint centre)>;

    // The database's lookups must fetch the zip: a centre is a zip (std::logic_error else).
    // places: where a "City, ST" that names no zip may be such a place; none: never.
    CentredRows(ZipDatabase& database, EntryConverter::RowMaker makeRow, LooseNames* loose,
                NamedPlaces* places, Search search, PointSearch searchPoint);

    EntryAnswer rowsOf(QStringView entry);
    EntryAnswer rowsOf(GeoPoint centre);
    // The rows of zips a search found near a point (valid until the next point).
    EntryAnswer rowsOf(std::span<const NearZip> near);
    QStringList suggestions(QStringView entry) { return centres_.suggestions(entry); }

private:
    struct Kept {
        std::size_t first;
        std::size_t count;
    };
    // Beyond this many rows kept (8 bytes each), the kept rows are forgotten: memory stays
    // bounded.
    static constexpr std::size_t maxKeptRows = std::size_t(1) << 24;

    Kept keep(const std::vector<NearZip>& near);
    void add(const NearZip& zip, std::vector<TextId>& ids, std::vector<std::uint32_t>& tenths);
    FoundRows rowsOf(const Kept& kept) const;

    EntryAnswer rowsOfPlace(QStringView entry);
    void forgetIfFull();

    EntryConverter centres_; // its rows are the zips' numbers
    NamedPlaces* places_;
    ZipFirstRows rows_;
    Search search_;
    PointSearch searchPoint_;
    std::vector<TextId> keptIds_;
    std::vector<std::uint32_t> keptTenths_;
    std::vector<TextId> pointIds_; // the rows of the last point
    std::vector<std::uint32_t> pointTenths_;
    QHash<QByteArray, Kept> keptByCentres_;
    QHash<QString, Kept> keptByPlace_; // by entry; none for an entry that is no place
    std::vector<int> zips_;
};
