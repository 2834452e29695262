#pragma once
// The columns of the zip table, in the order of the header line of data/us-zip-codes.tsv.
// The database builder (tools/zipbase) checks the table and makes ZIP_CODES in
// zipbase.mdb from this list; the database's shape check and the queries name its
// columns; the converter offers its fields by these names. Plain C++ without Qt, so that
// tools/ reads the same list. A further column is its field in ZipField and one line of
// zipFields (the compiler holds the two in step), and its values in the data.

#include <array>
#include <cstddef>

// The fields of a row, in column order; Count is not one, it counts them.
enum class ZipField { Zip, City, State, County, CountyFips, Latitude, Longitude, Timezone, Count };

// What a value of the column must be, as the builder checks it.
enum class ZipValue {
    FiveDigits, // a zip code
    Name,       // printable text, never empty (a city)
    StateCode,  // two capital letters
    Text,       // printable text, may be empty
    FipsCode,   // five digits, or empty
    Latitude,   // decimal degrees from -90 to 90, or empty
    Longitude,  // decimal degrees from -180 to 180, or empty
    TimeZone,   // an IANA time zone name ("America/Denver"), or empty
};

// Values written as numbers where a format tells numbers from text (GeoJSON).
constexpr bool isNumber(ZipValue value) {
    return value == ZipValue::Latitude || value == ZipValue::Longitude;
}

struct ZipFieldInfo {
    ZipField field;
    const char* header; // in the table's header line, --fields and the csv header
    const char* column; // in ZIP_CODES
    ZipValue value;
    bool properCase; // shown in ProperCase (city names); else as stored
};

inline constexpr std::array<ZipFieldInfo, std::size_t(ZipField::Count)> zipFields{{
    {ZipField::Zip, "zip", "ZIP", ZipValue::FiveDigits, false},
    {ZipField::City, "city", "CITY", ZipValue::Name, true},
    {ZipField::State, "state", "STATE", ZipValue::StateCode, false},
    {ZipField::County, "county", "COUNTY", ZipValue::Text, false},
    {ZipField::CountyFips, "county_fips", "COUNTY_FIPS", ZipValue::FipsCode, false},
    {ZipField::Latitude, "latitude", "LATITUDE", ZipValue::Latitude, false},
    {ZipField::Longitude, "longitude", "LONGITUDE", ZipValue::Longitude, false},
    {ZipField::Timezone, "timezone", "TIMEZONE", ZipValue::TimeZone, false},
}};

// Every field has its line, in the order of ZipField: a row's values are found by field.
constexpr bool zipFieldsInOrder() {
    for (std::size_t i = 0; i < zipFields.size(); ++i)
        if (zipFields[i].field != ZipField(i) || zipFields[i].header == nullptr)
            return false;
    return true;
}
static_assert(zipFieldsInOrder(), "zipFields must list every ZipField once, in its order");

constexpr const ZipFieldInfo& infoOf(ZipField field) {
    return zipFields[std::size_t(field)];
}

// The fields the window's queries and save options use; a database must have these.
inline constexpr std::array<ZipField, 3> windowFields{ZipField::City, ZipField::State,
                                                      ZipField::Zip};
