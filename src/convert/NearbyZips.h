#pragma once
// Every zip whose point lies within a distance of some centre zips: the zips' R*Tree
// (ZipDatabase::forEachPointIn) gives the points of a box around a centre that holds every
// point within the distance, and the great-circle distance on the sphere of the earth's
// mean radius decides. Each zip is searched around once in a run; a place's zips are
// merged from theirs, a zip near several of them counting once, at its distance to the
// nearest.

#include "convert/ZipDatabase.h"

#include <span>
#include <vector>

class NearbyZips {
public:
    static constexpr double earthRadiusMiles = 3958.8;
    static constexpr int zipCount = 100000; // zips are five digits

    struct Near {
        int zip;
        double miles;
    };

    // The database's points must be prepared (preparePoints).
    NearbyZips(ZipDatabase& database, double miles);

    // The zips within the distance of any of the centre zips, nearest first, ties by zip;
    // centres without a point are passed over. Valid until the next call. Throws what the
    // database throws.
    const std::vector<Near>& around(std::span<const int> centres);

    static double milesBetween(GeoPoint a, GeoPoint b);
    // A box that holds every point within miles of the centre: one, or two where it
    // crosses the 180th meridian.
    static std::vector<GeoBox> boxesAround(GeoPoint centre, double miles);

private:
    const std::vector<Near>& aroundZip(int zip);
    void addNear(int zip, double miles);
    void sortFound();

    ZipDatabase& database_;
    double miles_;
    std::vector<std::vector<Near>> aroundZip_; // by zip: what aroundZip found
    std::vector<bool> searched_;               // by zip: aroundZip_ holds its answer
    std::vector<double> nearest_;              // by zip: the distance so far; negative: not near
    std::vector<Near> found_;
    std::vector<Near> merged_; // the centres' own
};
