#include "zipbase/ZipbaseBuilder.h"

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// One table, a column for each of zipFields: a zip's own attributes repeat on the lines of
// its second place name (a few hundred rows), so that every lookup stays one indexed query.
std::string schema() {
    std::string sql = "PRAGMA journal_mode = OFF;\nPRAGMA synchronous = OFF;\n"
                      "PRAGMA page_size = 4096;\nCREATE TABLE ZIP_CODES (";
    for (const ZipFieldInfo& field : zipFields)
        sql += std::string(field.field == zipFields.front().field ? "\n    " : ",\n    ") +
               field.column + " TEXT NOT NULL COLLATE NOCASE";
    return sql + "\n);\nBEGIN;\n";
}

std::string insertStatement() {
    std::string columns;
    std::string slots;
    for (std::size_t i = 0; i < zipFields.size(); ++i) {
        columns += std::string(i ? ", " : "") + zipFields[i].column;
        slots += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    return "INSERT INTO ZIP_CODES (" + columns + ") VALUES (" + slots + ")";
}

// Created after the rows are in: one sorted pass instead of a b-tree insert per row.
// ZIP_POINTS is each zip's point once (its first line's), for the searches by distance: an
// R*Tree of boxes of no size keyed by the zip's number, the coordinates kept beside each
// box exactly, for the box's own corners are 32-bit floats rounded outwards.
const char* const indexes = R"sql(
COMMIT;
CREATE INDEX ZIP_CODES_BY_ZIP ON ZIP_CODES (ZIP, CITY, STATE);
CREATE INDEX ZIP_CODES_BY_CITY_STATE ON ZIP_CODES (CITY, STATE, ZIP);
CREATE VIRTUAL TABLE ZIP_POINTS USING rtree(
    ID, MIN_LATITUDE, MAX_LATITUDE, MIN_LONGITUDE, MAX_LONGITUDE, +LATITUDE, +LONGITUDE);
INSERT INTO ZIP_POINTS
    SELECT CAST(ZIP AS INTEGER), LATITUDE, LATITUDE, LONGITUDE, LONGITUDE,
           CAST(LATITUDE AS REAL), CAST(LONGITUDE AS REAL)
    FROM ZIP_CODES
    WHERE rowid IN (SELECT min(rowid) FROM ZIP_CODES GROUP BY ZIP)
      AND LATITUDE <> '' AND LONGITUDE <> ''
    ORDER BY ZIP;
)sql";

// The places, and the R*Tree of their points keyed by their rowid in PLACES.
const char* const placesSchema = R"sql(
CREATE TABLE PLACES (
    CITY TEXT NOT NULL COLLATE NOCASE,
    STATE TEXT NOT NULL COLLATE NOCASE,
    LATITUDE REAL NOT NULL,
    LONGITUDE REAL NOT NULL
);
)sql";
const char* const placesIndexes = R"sql(
CREATE INDEX PLACES_BY_CITY_STATE ON PLACES (CITY, STATE);
CREATE VIRTUAL TABLE PLACE_POINTS USING rtree(
    ID, MIN_LATITUDE, MAX_LATITUDE, MIN_LONGITUDE, MAX_LONGITUDE);
INSERT INTO PLACE_POINTS SELECT rowid, LATITUDE, LATITUDE, LONGITUDE, LONGITUDE FROM PLACES;
)sql";
const char* const finish = "ANALYZE;\nVACUUM;\n";

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

std::string problemOf(sqlite3* db) {
    return db ? sqlite3_errmsg(db) : "out of memory";
}

std::string insertAll(sqlite3* db, const std::vector<ZipRecord>& records) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, insertStatement().c_str(), -1, &raw, nullptr) != SQLITE_OK)
        return problemOf(db);
    Stmt insert(raw);
    for (const ZipRecord& r : records) {
        for (std::size_t i = 0; i < r.values.size(); ++i)
            sqlite3_bind_text(raw, int(i) + 1, r.values[i].data(), int(r.values[i].size()),
                              SQLITE_STATIC);
        if (sqlite3_step(raw) != SQLITE_DONE)
            return problemOf(db);
        sqlite3_reset(raw);
    }
    return {};
}

std::string insertPlaces(sqlite3* db, const std::vector<PlaceRecord>& places) {
    if (sqlite3_exec(db, placesSchema, nullptr, nullptr, nullptr) != SQLITE_OK)
        return problemOf(db);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "INSERT INTO PLACES VALUES (?1, ?2, ?3, ?4)", -1, &raw, nullptr) !=
        SQLITE_OK)
        return problemOf(db);
    Stmt insert(raw);
    for (const PlaceRecord& place : places) {
        int slot = 0;
        for (const std::string* text : {&place.city, &place.state})
            sqlite3_bind_text(raw, ++slot, text->data(), int(text->size()), SQLITE_STATIC);
        for (const std::string* degrees : {&place.latitude, &place.longitude})
            sqlite3_bind_double(raw, ++slot, std::stod(*degrees));
        if (sqlite3_step(raw) != SQLITE_DONE)
            return problemOf(db);
        sqlite3_reset(raw);
    }
    if (sqlite3_exec(db, placesIndexes, nullptr, nullptr, nullptr) != SQLITE_OK)
        return problemOf(db);
    return {};
}

std::string buildInto(const std::string& path, const std::vector<ZipRecord>& records,
                      const std::vector<PlaceRecord>& places) {
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Db db(raw);
    if (opened != SQLITE_OK)
        return problemOf(raw);
    if (sqlite3_exec(raw, schema().c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return problemOf(raw);
    if (std::string problem = insertAll(raw, records); !problem.empty())
        return problem;
    if (sqlite3_exec(raw, indexes, nullptr, nullptr, nullptr) != SQLITE_OK)
        return problemOf(raw);
    if (!places.empty())
        if (std::string problem = insertPlaces(raw, places); !problem.empty())
            return problem;
    if (sqlite3_exec(raw, finish, nullptr, nullptr, nullptr) != SQLITE_OK)
        return problemOf(raw);
    return {};
}

} // namespace

std::string ZipbaseBuilder::build(const std::vector<ZipRecord>& records,
                                  const std::vector<PlaceRecord>& places,
                                  const std::string& target) {
    if (records.empty())
        return "the table has no rows: a database without zips would answer nothing";
    const std::string temporary = target + ".part";
    std::remove(temporary.c_str());
    std::string problem = buildInto(temporary, records, places);
    if (problem.empty() && std::rename(temporary.c_str(), target.c_str()) != 0)
        problem = "cannot rename " + temporary + " to " + target;
    if (!problem.empty())
        std::remove(temporary.c_str());
    return problem;
}
