#include "convert/AddressCheck.h"

#include "convert/LooseNames.h"
#include "convert/NearbyZips.h"
#include "core/TextRules.h"

#include <algorithm>

namespace {

// The zip's number: five digits, or a ZIP+4 code; -1 for anything else.
int zipNumber(QStringView field) {
    QStringView zip = TrimBlanks(field);
    if (const QStringView plusFour = ZipOfZipPlusFour(zip); !plusFour.isEmpty())
        zip = plusFour;
    if (zip.size() != 5)
        return -1;
    int number = 0;
    for (QChar c : zip) {
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

bool sameName(QStringView a, QStringView b) {
    return TrimBlanks(a).compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

AddressCheck::AddressCheck(ZipDatabase& database, LooseNames& loose,
                           EntryConverter::RowMaker makeRow)
    : database_(database)
    , loose_(loose)
    , makeRow_(std::move(makeRow))
    , slotOfZip_(NearbyZips::zipCount, -1) {}

AddressCheck::Result AddressCheck::check(QStringView zip, QStringView city, QStringView state) {
    const int number = zipNumber(zip);
    if (number < 0)
        return {Verdict::NoZip, noRow};
    ZipPlaces& places = placesOf(number);
    if (places.places.empty())
        return {Verdict::UnknownZip, noRow};
    bool sameState = false;
    for (const Place& place : places.places) {
        const bool stateMatches = sameName(state, place.state);
        if (stateMatches && sameName(city, place.city))
            return {Verdict::Ok, places.row};
        sameState = sameState || stateMatches;
    }
    if (isLooseName(places, city, state))
        return {Verdict::Loose, places.row};
    if (sameState && isNearbyPlace(number, places, city, state))
        return {Verdict::Nearby, places.row};
    return {sameState ? Verdict::OtherCity : Verdict::OtherState, places.row};
}

// Read as --loose reads names: the table's places with the loose form of the city, in the
// state read loosely, one of them a place of the zip.
bool AddressCheck::isLooseName(const ZipPlaces& zip, QStringView city, QStringView state) {
    for (const LooseNames::Name& name : loose_.matches(TrimBlanks(city), TrimBlanks(state)))
        for (const Place& place : zip.places)
            if (sameName(name.city, place.city) && sameName(name.state, place.state))
                return true;
    return false;
}

// A place of GeoNames within nearbyMiles of the zip's point, named as the city written
// (loosely); the places near a zip are found once.
bool AddressCheck::isNearbyPlace(int zip, ZipPlaces& places, QStringView city, QStringView state) {
    if (!places.nearbyFound) {
        places.nearbyFound = true;
        const std::optional<GeoPoint> point =
            database_.hasPlaces() ? (database_.preparePoints(), database_.pointOf(zip))
                                  : std::nullopt;
        if (point)
            for (const GeoBox& box : NearbyZips::boxesAround(*point, nearbyMiles))
                database_.forEachPlaceIn(box, [&](QStringView name, QStringView in, GeoPoint at) {
                    if (GreatCircle::milesBetween(*point, at) <= nearbyMiles)
                        places.nearby.push_back(LooseNames::looseKey(name, in));
                });
    }
    return std::ranges::find(places.nearby,
                             LooseNames::looseKey(TrimBlanks(city), TrimBlanks(state))) !=
           places.nearby.end();
}

AddressCheck::ZipPlaces& AddressCheck::placesOf(int zip) {
    int& slot = slotOfZip_[std::size_t(zip)];
    if (slot < 0) {
        ZipPlaces places;
        database_.lookupZipInTableOrder(zip, [&](const ZipRow& row) {
            if (places.places.empty())
                places.row = makeRow_(row);
            places.places.push_back(
                {row[ZipField::City].toString(), row[ZipField::State].toString()});
        });
        slot = int(zips_.size());
        zips_.push_back(std::move(places));
    }
    return zips_[std::size_t(slot)];
}
