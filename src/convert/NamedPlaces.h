#pragma once
// The places the zip data does not name: GeoNames' populated places, in PLACES beside the
// zips. BLOOMINGTON, MN is a city of 89,000 whose zips the postal service names
// MINNEAPOLIS: its entry finds no zip, but it is a place, with a point, which a search by
// distance can start from and an unmatched entry can name the nearest zips of. Names are
// read as the zip data's are: as written, and loosely with --loose. A database built
// before the places has none: every entry then is no place.

#include "convert/GeoPoint.h"
#include "convert/LooseNames.h"
#include "convert/NumericText.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>

class ZipDatabase;

class NamedPlaces {
public:
    NamedPlaces(ZipDatabase& database, bool loose);

    // The point of the place a "City, ST" entry names (the first, where the table has two of
    // the name); none for another entry, or a name that is no place. Throws what the
    // database throws.
    std::optional<GeoPoint> pointOf(QStringView entry);
    // The same for a city and a state.
    std::optional<GeoPoint> pointOf(QStringView city, QStringView state);

private:
    std::optional<GeoPoint> lookUp(QStringView city, QStringView state);

    // Beyond this many names remembered, they are forgotten: memory stays bounded.
    static constexpr qsizetype maxRemembered = 1 << 16;

    ZipDatabase& database_;
    std::optional<LooseNames> loose_;
    NumericText numeric_;
    QHash<QString, std::optional<GeoPoint>> known_; // "CITY\nSTATE"
};
