#pragma once
// Points on the earth and the distance between them: the zips' points, a point given as
// an entry, and the boxes the zips' R*Tree is searched by.

#include <QString>
#include <QStringView>

#include <optional>

// A point in decimal degrees.
struct GeoPoint {
    double latitude = 0;
    double longitude = 0;
};

// The points of a box: latitude and longitude from low to high, in degrees.
struct GeoBox {
    double south = 0;
    double north = 0;
    double west = 0;
    double east = 0;
};

// A zip found near a point, and how far.
struct NearZip {
    int zip;
    double miles;
};

// Nearest first, ties by zip: the order of every list of zips near something.
inline bool nearerThan(const NearZip& a, const NearZip& b) {
    return a.miles != b.miles ? a.miles < b.miles : a.zip < b.zip;
}

namespace GreatCircle {

inline constexpr double earthRadiusMiles = 3958.8;

// The great-circle distance on the sphere of the earth's mean radius (the haversine form).
double milesBetween(GeoPoint a, GeoPoint b);

} // namespace GreatCircle

// A point written as an entry: two decimal degrees, latitude first, a comma between them
// and blanks allowed around it ("42.8656,-71.3772", "42.8656 , -71.3772").
struct PointEntry {
    GeoPoint point;
    QString problem; // why the coordinates are no point; empty for a point

    // A list line: a point when it is two numbers with a comma between them (they may be out
    // of range: then problem says so); none for any other line.
    static std::optional<PointEntry> ofLine(QStringView line);
    // Two fields that must be coordinates (a table's latitude and longitude columns).
    static PointEntry ofFields(QStringView latitude, QStringView longitude);
};
