#pragma once
// The zip-code database zipbase.mdb: an SQLite file with the table ZIP_CODES and the
// text columns ZIP, CITY and STATE. Opened read-only with SQLite's defensive settings;
// its shape is checked before the first query, and one read transaction spans a whole
// run so the file is locked once, not once per query. Keys are always bound to
// prepared statements, so no character of an entry can change a query.

#include "convert/GeoPoint.h"
#include "convert/ZipField.h"
#include "core/AppError.h"

#include <QSet>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the database file itself (damaged, unreadable, locked), not of one entry's
// lookup: no later query can do better, so a run ends on it.
class DatabaseFault : public AppError {
public:
    using AppError::AppError;
};

class ZipDatabase {
public:
    using RowHandler = std::function<void(const ZipRow& row)>;
    using PointHandler = std::function<void(int zip, GeoPoint point)>;

    // Opens the file and checks its shape and integrity. Throws DatabaseFault naming the file
    // and the problem.
    explicit ZipDatabase(const QString& path);
    ~ZipDatabase();
    ZipDatabase(const ZipDatabase&) = delete;
    ZipDatabase& operator=(const ZipDatabase&) = delete;

    // Prepares both lookups to fetch these fields, in this order ("SELECT DISTINCT CITY,
    // STATE, ZIP"). Throws DatabaseFault when the table lacks a column of theirs, naming it.
    void prepare(std::span<const ZipField> fields);

    // "SELECT DISTINCT <columns> FROM ZIP_CODES WHERE ZIP = <zip>", letter case ignored.
    // Calls onRow for every row, with the fetched fields named; the views are valid during
    // the call only.
    // Throws AppError when the query fails (rows before the failure were handed over).
    void lookupZip(QStringView zip, const RowHandler& onRow);
    // The zip's rows in the table's order, its first place name first (the prepared fields).
    void lookupZipInTableOrder(int zip, const RowHandler& onRow);
    // The zip's first place name as the table writes it ("MINNEAPOLIS"); empty for none.
    QString firstCityOf(int zip);
    // The same, WHERE CITY = <city> AND STATE = <state>.
    void lookupCityState(QStringView city, QStringView state, const RowHandler& onRow);
    // Every place of the table once: "SELECT DISTINCT CITY, STATE". Throws AppError.
    void forEachPlace(const std::function<void(QStringView city, QStringView state)>& onPlace);
    // Prepares the searches by distance over ZIP_POINTS, the R*Tree of the zips' points;
    // once. Throws DatabaseFault when the file has no such table (a database built before it).
    void preparePoints();
    // The zip's point; none when the data gives it no coordinates.
    std::optional<GeoPoint> pointOf(int zip);
    // Every zip whose point lies in the box, in no particular order. Throws AppError.
    void forEachPointIn(const GeoBox& box, const PointHandler& onPoint);
    // Every zip that has a point, by zip; the points must be prepared. Throws AppError.
    void forEachPoint(const PointHandler& onPoint);

    // The places the zip data does not name (PLACES, from GeoNames): whether the file has
    // them (a database built before them has not), and then their questions, prepared at
    // the first.
    bool hasPlaces();
    using NamedPlaceHandler =
        std::function<void(QStringView city, QStringView state, GeoPoint point)>;
    // The points of the place, letter case ignored, in the table's order.
    // The handler takes the place's rowid where PointHandler takes a zip.
    void lookupPlace(QStringView city, QStringView state, const PointHandler& onPoint);
    // Every place whose point lies in the box, in no particular order.
    void forEachPlaceIn(const GeoBox& box, const NamedPlaceHandler& onPlace);
    // Every place of the table once, by city and state.
    void forEachNamedPlace(const std::function<void(QStringView city, QStringView state)>& onPlace);
    // The rows the prepared lookups stepped through in full scans of the table so far:
    // 0 while every lookup finds its rows through an index.
    int fullScanSteps() const;

private:
    [[noreturn]] void fail(const QString& what) const;
    [[noreturn]] void failQuery() const;
    void checkShape();
    // Throws DatabaseFault naming the first of the fields' columns the table lacks.
    void requireColumns(std::span<const ZipField> fields) const;
    void checkIntegrity();
    sqlite3_stmt* prepareStatement(const QString& sql);
    void runQuery(sqlite3_stmt* statement, std::span<const ZipField> fields,
                  const RowHandler& onRow);
    void finalizeStatements();
    bool hasTable(const char* name);
    void preparePlaces();
    void forEachName(const char* sql,
                     const std::function<void(QStringView city, QStringView state)>& onPlace);
    bool toldBefore(sqlite3_stmt* statement, int columns);

    struct Closer {
        void operator()(sqlite3* db) const;
    };

    QString path_;
    // Owned by a smart pointer so that a constructor that throws still closes the file.
    std::unique_ptr<sqlite3, Closer> db_;
    sqlite3_stmt* byZip_ = nullptr;
    sqlite3_stmt* byCityState_ = nullptr;
    sqlite3_stmt* byZipInTableOrder_ = nullptr;
    sqlite3_stmt* pointOfZip_ = nullptr;
    sqlite3_stmt* pointsInBox_ = nullptr;
    sqlite3_stmt* placeByName_ = nullptr;
    sqlite3_stmt* firstCity_ = nullptr;
    sqlite3_stmt* placesInBox_ = nullptr;
    std::optional<bool> hasPlaces_;
    std::vector<ZipField> fields_; // what the prepared lookups fetch, in column order
    QSet<QString> columns_;        // the columns ZIP_CODES has, in capitals
    bool distinctRows_ = false;    // the lookups' rows are made distinct here, not by SQLite
    std::vector<QByteArray> told_; // the values of the rows the lookup has handed over
    QByteArray rowValues_;         // the values of the row being told apart
};
