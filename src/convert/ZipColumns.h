#pragma once
// The columns of the zip table, in the order of the header line of data/us-zip-codes.tsv.
// The database builder (tools/zipbase) checks the table and makes ZIP_CODES in
// zipbase.mdb from this list; the database's shape check and the queries name its
// columns; the converter offers its fields by these names. Plain C++ without Qt, so that
// tools/ reads the same list. A further column is one line here, and its values in the
// data.

#include <array>
#include <cstddef>

// The fields of a row, in column order.
enum class ZipField { Zip, City, State, County, CountyFips, Latitude, Longitude };

// What a value of the column must be, as the builder checks it.
enum class ZipValue {
    FiveDigits, // a zip code
    Name,       // printable text, never empty (a city)
    StateCode,  // two capital letters
    Text,       // printable text, may be empty
    FipsCode,   // five digits, or empty
    Latitude,   // decimal degrees from -90 to 90, or empty
    Longitude,  // decimal degrees from -180 to 180, or empty
};

struct ZipFieldInfo {
    ZipField field;
    const char* header; // in the table's header line, --fields and the csv header
    const char* column; // in ZIP_CODES
    ZipValue value;
    bool properCase; // shown in ProperCase (city names); else as stored
};

inline constexpr std::array<ZipFieldInfo, 7> zipFields{{
    {ZipField::Zip, "zip", "ZIP", ZipValue::FiveDigits, false},
    {ZipField::City, "city", "CITY", ZipValue::Name, true},
    {ZipField::State, "state", "STATE", ZipValue::StateCode, false},
    {ZipField::County, "county", "COUNTY", ZipValue::Text, false},
    {ZipField::CountyFips, "county_fips", "COUNTY_FIPS", ZipValue::FipsCode, false},
    {ZipField::Latitude, "latitude", "LATITUDE", ZipValue::Latitude, false},
    {ZipField::Longitude, "longitude", "LONGITUDE", ZipValue::Longitude, false},
}};

constexpr const ZipFieldInfo& infoOf(ZipField field) {
    return zipFields[std::size_t(field)];
}

// The fields the window's queries and save options use; a database must have these.
inline constexpr std::array<ZipField, 3> windowFields{ZipField::City, ZipField::State,
                                                      ZipField::Zip};
