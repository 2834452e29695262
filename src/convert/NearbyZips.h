#pragma once
// Every zip whose point lies within a distance of some centres: the zips' R*Tree
// (ZipDatabase::forEachPointIn) gives the points of a box around a centre that holds every
// point within the distance, and the great-circle distance decides. Each centre zip is
// searched around once in a run; a place's zips are merged from theirs, a zip near several
// of them counting once, at its distance to the nearest.

#include "convert/ZipDatabase.h"

#include <span>
#include <vector>

class NearbyZips {
public:
    static constexpr int zipCount = 100000; // zips are five digits

    // The database's points must be prepared (preparePoints).
    NearbyZips(ZipDatabase& database, double miles);

    // The zips within the distance of any of the centre zips, nearest first, ties by zip;
    // centres without a point are passed over. Valid until the next call. Throws what the
    // database throws.
    const std::vector<NearZip>& around(std::span<const int> centres);
    // The same around a point.
    const std::vector<NearZip>& around(GeoPoint centre);

    // A box that holds every point within miles of the centre: one, or two where it
    // crosses the 180th meridian.
    static std::vector<GeoBox> boxesAround(GeoPoint centre, double miles);

private:
    const std::vector<NearZip>& aroundZip(int zip);
    void search(GeoPoint centre);
    void addNear(int zip, double miles);
    void sortFound();

    ZipDatabase& database_;
    double miles_;
    std::vector<std::vector<NearZip>> aroundZip_; // by zip: what aroundZip found
    std::vector<bool> searched_;                  // by zip: aroundZip_ holds its answer
    std::vector<double> nearest_;                 // by zip: the distance so far; negative: not near
    std::vector<NearZip> found_;
    std::vector<NearZip> merged_; // the centres' own
};
