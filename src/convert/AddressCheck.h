#pragma once
// quellist-convert --check: whether a record's city and state are a place of its zip, and
// the zip's own place (its first line in the table) so that a wrong one can be mended.
// The table holds one or two names for a zip, so a name that the postal service also
// accepts may be told as another city. Each zip is looked up once in a run.

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

    enum class Verdict { Ok, Loose, OtherCity, OtherState, UnknownZip, NoZip };
    // As the check column writes them, in the order of Verdict.
    static constexpr std::array<const char*, 6> verdictNames{
        "ok", "loose", "other-city", "other-state", "unknown-zip", "no-zip"};

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
        std::vector<Place> places; // in the table's order
    };

    const ZipPlaces& placesOf(int zip);
    bool isLooseName(const ZipPlaces& zip, QStringView city, QStringView state);

    ZipDatabase& database_;
    LooseNames& loose_;
    EntryConverter::RowMaker makeRow_;
    std::vector<int> slotOfZip_; // by zip number: its slot in zips_, -1 before the lookup
    std::vector<ZipPlaces> zips_;
};
