#pragma once
// quellist-convert --check: whether a record's city and state are a place of its zip, and
// the zip's own place (its first line in the table) so that a wrong one can be mended.
// The table holds one or two names for a zip, so a name that the postal service also
// accepts may be told as another city; where the city written is a place (NamedPlaces) of
// the zip's state whose point lies within nearbyMiles of the zip's, the verdict is nearby.
// Each zip is looked up once in a run.

#include "convert/EntryConverter.h"

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

class LooseNames;

class AddressCheck {
public:
    using TextId = EntryConverter::TextId;
    static constexpr TextId noRow = ~TextId(0);

    enum class Verdict { Ok, Loose, Nearby, OtherCity, OtherState, UnknownZip, NoZip };
    // As the check column writes them, in the order of Verdict.
    static constexpr std::array<const char*, 7> verdictNames{
        "ok", "loose", "nearby", "other-city", "other-state", "unknown-zip", "no-zip"};
    // How near a place written for a zip must lie to be nearby. Measured on the shipped data
    // (bench/node/nearby.js): of the 23,487 zips whose own name is a place of GeoNames,
    // 83.0% lie within 5 miles of it (72.1% within 3, 92.2% within 8); Eagan's point lies
    // 2.9 miles from 55122's, Duluth's 148.
    static constexpr double nearbyMiles = 5;

    struct Result {
        Verdict verdict;
        TextId row; // the zip's own row; noRow for an unknown zip or none
    };

    // The database's lookups must fetch the city and the state.
    AddressCheck(ZipDatabase& database, LooseNames& loose, EntryConverter::RowMaker makeRow);

    // zip: five digits or ZIP+4, blanks around allowed.
    Result check(QStringView zip, QStringView city, QStringView state);

private:
    struct Place {
        QString city;
        QString state;
    };
    struct ZipPlaces {
        TextId row = noRow;
        std::vector<Place> places;   // in the table's order
        std::vector<QString> nearby; // places within nearbyMiles (LooseNames::looseKey)
        bool nearbyFound = false;
    };

    ZipPlaces& placesOf(int zip);
    bool isLooseName(const ZipPlaces& zip, QStringView city, QStringView state);
    bool isNearbyPlace(int zip, ZipPlaces& places, QStringView city, QStringView state);

    ZipDatabase& database_;
    LooseNames& loose_;
    EntryConverter::RowMaker makeRow_;
    std::vector<int> slotOfZip_; // by zip number: its slot in zips_, -1 before the lookup
    std::vector<ZipPlaces> zips_;
};
