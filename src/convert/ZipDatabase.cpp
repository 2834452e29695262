#include "convert/ZipDatabase.h"

#include "convert/VerifiedDatabases.h"

#include "core/AppError.h"
#include "core/FileExists.h"
#include "core/ScopeExit.h"

#include <sqlite3.h>

#include <QSet>

#include <algorithm>
#include <array>

namespace {

// How long a lookup waits for another program that holds the file locked.
constexpr int busyTimeoutMs = 1000;

// Result codes that speak of the file, not of one lookup.
bool isFileFault(int code) {
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return true;
    default:
        return false;
    }
}

QString lastError(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

void bindText(sqlite3_stmt* statement, int slot, QStringView text) {
    // SQLITE_TRANSIENT: SQLite takes its own copy, so the view may go away at once.
    sqlite3_bind_text16(statement, slot, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
}

} // namespace

ZipDatabase::ZipDatabase(const QString& path)
    : path_(path) {
    if (!fileExists(path))
        fail(QStringLiteral("file not found"));
    const QByteArray nativePath = path.toUtf8();
    sqlite3* opened = nullptr;
    const int result = sqlite3_open_v2(nativePath.constData(), &opened,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(opened); // a failed open still hands over a handle to close
    if (result != SQLITE_OK)
        fail(lastError(opened));
    sqlite3_extended_result_codes(opened, 1);
    sqlite3_busy_timeout(opened, busyTimeoutMs);
    sqlite3_db_config(opened, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(opened, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(opened, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    checkShape();
    // A file checked whole before, and not written since, is not read whole again.
    if (const QString identity = VerifiedDatabases::identityOf(path);
        !VerifiedDatabases::isVerified(identity)) {
        checkIntegrity();
        VerifiedDatabases::remember(identity);
    }
    if (sqlite3_exec(opened, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(lastError(opened));
}

ZipDatabase::~ZipDatabase() {
    finalizeStatements();
    if (db_)
        sqlite3_exec(db_.get(), "COMMIT", nullptr, nullptr, nullptr);
}

void ZipDatabase::Closer::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

void ZipDatabase::fail(const QString& what) const {
    throw DatabaseFault(
        QStringLiteral("Cannot read the zip code database \"%1\": %2").arg(path_, what));
}

// The window's columns must be there; the others only for a run that asks for them.
void ZipDatabase::checkShape() {
    sqlite3_stmt* columns = nullptr;
    if (sqlite3_prepare_v2(db_.get(), "SELECT upper(name) FROM pragma_table_info('ZIP_CODES')", -1,
                           &columns, nullptr) != SQLITE_OK)
        fail(lastError(db_.get()));
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(columns)) == SQLITE_ROW)
        columns_.insert(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(columns, 0))));
    sqlite3_finalize(columns);
    if (stepped != SQLITE_DONE)
        fail(lastError(db_.get()));
    if (columns_.isEmpty())
        fail(QStringLiteral("it has no table ZIP_CODES"));
    requireColumns(windowFields);
}

void ZipDatabase::requireColumns(std::span<const ZipField> fields) const {
    for (ZipField field : fields)
        if (!columns_.contains(QLatin1String(infoOf(field).column)))
            fail(QStringLiteral("the table ZIP_CODES has no column %1")
                     .arg(QLatin1String(infoOf(field).column)));
}

// A damaged file (cut short, overwritten) fails here once, not at every later lookup.
void ZipDatabase::checkIntegrity() {
    sqlite3_stmt* check = nullptr;
    if (sqlite3_prepare_v2(db_.get(), "PRAGMA quick_check(1)", -1, &check, nullptr) != SQLITE_OK)
        fail(lastError(db_.get()));
    const int stepped = sqlite3_step(check);
    const QString verdict =
        stepped == SQLITE_ROW
            ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)))
            : lastError(db_.get());
    sqlite3_finalize(check);
    if (verdict != QLatin1String("ok"))
        fail(QStringLiteral("the file is damaged (%1)").arg(verdict));
}

// A lookup failed: the file's own faults end the run, any other fails this lookup only.
void ZipDatabase::failQuery() const {
    const QString what = lastError(db_.get());
    if (isFileFault(sqlite3_extended_errcode(db_.get())))
        fail(what);
    throw AppError(
        QStringLiteral("The lookup in the zip code database \"%1\" failed: %2").arg(path_, what));
}

sqlite3_stmt* ZipDatabase::prepareStatement(const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(db_.get(), text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement, nullptr) != SQLITE_OK)
        fail(lastError(db_.get()));
    return statement;
}

void ZipDatabase::finalizeStatements() {
    for (sqlite3_stmt** statement : {&byZip_, &byCityState_, &byZipInTableOrder_, &pointOfZip_,
                                     &pointsInBox_, &placeByName_, &placesInBox_, &firstCity_}) {
        sqlite3_finalize(*statement);
        *statement = nullptr;
    }
}

void ZipDatabase::prepare(std::span<const ZipField> fields) {
    requireColumns(fields);
    for (sqlite3_stmt** statement : {&byZip_, &byCityState_, &byZipInTableOrder_}) {
        sqlite3_finalize(*statement);
        *statement = nullptr;
    }
    fields_.assign(fields.begin(), fields.end());
    // The window's columns come from a covering index that hands them over distinct. Any
    // other would make SQLite build a temporary b-tree for every lookup, which took half
    // the time of a run: those rows are told apart here instead (distinctRows_).
    distinctRows_ = !std::ranges::all_of(fields, [](ZipField field) {
        return std::ranges::find(windowFields, field) != windowFields.end();
    });
    const QString select = QString::fromLatin1(distinctRows_ ? "SELECT " : "SELECT DISTINCT ") +
                           columnList(fields) + QStringLiteral(" FROM `ZIP_CODES` WHERE ");
    byZip_ = prepareStatement(select + QStringLiteral("`ZIP` = ?1 COLLATE NOCASE"));
    byCityState_ = prepareStatement(
        select + QStringLiteral("`CITY` = ?1 COLLATE NOCASE AND `STATE` = ?2 COLLATE NOCASE"));
    byZipInTableOrder_ = prepareStatement(QStringLiteral("SELECT ") + columnList(fields) +
                                          QStringLiteral(" FROM `ZIP_CODES` WHERE `ZIP` = ?1 "
                                                         "ORDER BY rowid"));
}

bool ZipDatabase::hasTable(const char* name) {
    sqlite3_stmt* found = prepareStatement(
        QStringLiteral("SELECT 1 FROM sqlite_schema WHERE name = ?1 COLLATE NOCASE"));
    sqlite3_bind_text(found, 1, name, -1, SQLITE_STATIC);
    const int stepped = sqlite3_step(found);
    sqlite3_finalize(found);
    if (stepped != SQLITE_ROW && stepped != SQLITE_DONE)
        failQuery();
    return stepped == SQLITE_ROW;
}

void ZipDatabase::preparePoints() {
    if (pointOfZip_)
        return; // prepared before
    if (!hasTable("ZIP_POINTS"))
        fail(QStringLiteral("it has no table ZIP_POINTS of the zips' points, which searches by "
                            "distance need; the database builder of this version makes it"));
    pointOfZip_ = prepareStatement(
        QStringLiteral("SELECT LATITUDE, LONGITUDE FROM ZIP_POINTS WHERE ID = ?1"));
    pointsInBox_ = prepareStatement(QStringLiteral(
        "SELECT ID, LATITUDE, LONGITUDE FROM ZIP_POINTS WHERE MAX_LATITUDE >= ?1 AND "
        "MIN_LATITUDE <= ?2 AND MAX_LONGITUDE >= ?3 AND MIN_LONGITUDE <= ?4"));
}

std::optional<GeoPoint> ZipDatabase::pointOf(int zip) {
    if (!pointOfZip_)
        fail(QStringLiteral("no query was prepared"));
    const ScopeExit reset([this] { sqlite3_reset(pointOfZip_); });
    sqlite3_bind_int(pointOfZip_, 1, zip);
    const int stepped = sqlite3_step(pointOfZip_);
    if (stepped == SQLITE_ROW)
        return GeoPoint{sqlite3_column_double(pointOfZip_, 0),
                        sqlite3_column_double(pointOfZip_, 1)};
    if (stepped != SQLITE_DONE)
        failQuery();
    return std::nullopt;
}

void ZipDatabase::forEachPointIn(const GeoBox& box, const PointHandler& onPoint) {
    if (!pointsInBox_)
        fail(QStringLiteral("no query was prepared"));
    const ScopeExit reset([this] { sqlite3_reset(pointsInBox_); });
    int slot = 0;
    for (double bound : {box.south, box.north, box.west, box.east})
        sqlite3_bind_double(pointsInBox_, ++slot, bound);
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(pointsInBox_)) == SQLITE_ROW)
        onPoint(sqlite3_column_int(pointsInBox_, 0),
                GeoPoint{sqlite3_column_double(pointsInBox_, 1),
                         sqlite3_column_double(pointsInBox_, 2)});
    if (stepped != SQLITE_DONE)
        failQuery();
}

void ZipDatabase::forEachPoint(const PointHandler& onPoint) {
    sqlite3_stmt* points = prepareStatement(
        QStringLiteral("SELECT ID, LATITUDE, LONGITUDE FROM ZIP_POINTS ORDER BY ID"));
    const ScopeExit finalize([points] { sqlite3_finalize(points); });
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(points)) == SQLITE_ROW)
        onPoint(sqlite3_column_int(points, 0),
                GeoPoint{sqlite3_column_double(points, 1), sqlite3_column_double(points, 2)});
    if (stepped != SQLITE_DONE)
        failQuery();
}

QString ZipDatabase::firstCityOf(int zip) {
    if (!firstCity_)
        firstCity_ = prepareStatement(
            QStringLiteral("SELECT CITY FROM ZIP_CODES WHERE ZIP = ?1 ORDER BY rowid LIMIT 1"));
    const ScopeExit reset([this] { sqlite3_reset(firstCity_); });
    bindText(firstCity_, 1, QStringLiteral("%1").arg(zip, 5, 10, QLatin1Char('0')));
    const int stepped = sqlite3_step(firstCity_);
    if (stepped == SQLITE_ROW)
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(firstCity_, 0)));
    if (stepped != SQLITE_DONE)
        failQuery();
    return {};
}

bool ZipDatabase::hasPlaces() {
    if (!hasPlaces_)
        hasPlaces_ = hasTable("PLACES") && hasTable("PLACE_POINTS");
    return *hasPlaces_;
}

void ZipDatabase::preparePlaces() {
    if (placeByName_)
        return;
    if (!hasPlaces())
        fail(QStringLiteral("it has no table PLACES of the places the zip data does not name"));
    placeByName_ = prepareStatement(QStringLiteral(
        "SELECT rowid, LATITUDE, LONGITUDE FROM PLACES WHERE CITY = ?1 COLLATE NOCASE AND "
        "STATE = ?2 COLLATE NOCASE ORDER BY rowid"));
    placesInBox_ = prepareStatement(QStringLiteral(
        "SELECT P.CITY, P.STATE, P.LATITUDE, P.LONGITUDE FROM PLACE_POINTS R JOIN PLACES P ON "
        "P.rowid = R.ID WHERE R.MAX_LATITUDE >= ?1 AND R.MIN_LATITUDE <= ?2 AND "
        "R.MAX_LONGITUDE >= ?3 AND R.MIN_LONGITUDE <= ?4"));
}

void ZipDatabase::lookupPlace(QStringView city, QStringView state, const PointHandler& onPoint) {
    preparePlaces();
    const ScopeExit reset([this] {
        sqlite3_reset(placeByName_);
        sqlite3_clear_bindings(placeByName_);
    });
    bindText(placeByName_, 1, city);
    bindText(placeByName_, 2, state);
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(placeByName_)) == SQLITE_ROW)
        onPoint(sqlite3_column_int(placeByName_, 0),
                GeoPoint{sqlite3_column_double(placeByName_, 1),
                         sqlite3_column_double(placeByName_, 2)});
    if (stepped != SQLITE_DONE)
        failQuery();
}

void ZipDatabase::forEachPlaceIn(const GeoBox& box, const NamedPlaceHandler& onPlace) {
    preparePlaces();
    const ScopeExit reset([this] { sqlite3_reset(placesInBox_); });
    int slot = 0;
    for (double bound : {box.south, box.north, box.west, box.east})
        sqlite3_bind_double(placesInBox_, ++slot, bound);
    const auto text = [this](int i) {
        return QStringView(static_cast<const char16_t*>(sqlite3_column_text16(placesInBox_, i)),
                           sqlite3_column_bytes16(placesInBox_, i) / 2);
    };
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(placesInBox_)) == SQLITE_ROW)
        onPlace(text(0), text(1),
                GeoPoint{sqlite3_column_double(placesInBox_, 2),
                         sqlite3_column_double(placesInBox_, 3)});
    if (stepped != SQLITE_DONE)
        failQuery();
}

void ZipDatabase::forEachNamedPlace(
    const std::function<void(QStringView city, QStringView state)>& onPlace) {
    preparePlaces();
    forEachName("SELECT `CITY`, `STATE` FROM `PLACES` ORDER BY `CITY`, `STATE`", onPlace);
}

// SELECT DISTINCT, done here: whether this row's values came in an earlier row of the
// lookup. A lookup's rows are few (the zips of one city), so they are compared in turn.
bool ZipDatabase::toldBefore(sqlite3_stmt* statement, int columns) {
    rowValues_.resize(0); // keeps its capacity: no allocation for a row told before
    for (int i = 0; i < columns; ++i) {
        rowValues_.append(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                          sqlite3_column_bytes(statement, i));
        rowValues_ += '\0';
    }
    if (std::ranges::find(told_, rowValues_) != told_.end())
        return true;
    told_.push_back(rowValues_);
    return false;
}

int ZipDatabase::fullScanSteps() const {
    int steps = 0;
    for (sqlite3_stmt* statement : {byZip_, byCityState_})
        if (statement)
            steps += sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_FULLSCAN_STEP, 0);
    return steps;
}

void ZipDatabase::lookupZip(QStringView zip, const RowHandler& onRow) {
    if (!byZip_)
        fail(QStringLiteral("no query was prepared"));
    bindText(byZip_, 1, zip);
    runQuery(byZip_, fields_, onRow);
}

void ZipDatabase::lookupZipInTableOrder(int zip, const RowHandler& onRow) {
    if (!byZipInTableOrder_)
        fail(QStringLiteral("no query was prepared"));
    const QString text = QStringLiteral("%1").arg(zip, 5, 10, QLatin1Char('0'));
    bindText(byZipInTableOrder_, 1, text);
    runQuery(byZipInTableOrder_, fields_, onRow);
}

void ZipDatabase::lookupCityState(QStringView city, QStringView state, const RowHandler& onRow) {
    if (!byCityState_)
        fail(QStringLiteral("no query was prepared"));
    bindText(byCityState_, 1, city);
    bindText(byCityState_, 2, state);
    runQuery(byCityState_, fields_, onRow);
}

void ZipDatabase::forEachPlace(
    const std::function<void(QStringView city, QStringView state)>& onPlace) {
    forEachName("SELECT `CITY`, `STATE` FROM `ZIP_CODES` ORDER BY `CITY`, `STATE`", onPlace);
}

// The index by city and state hands the places over in order, so each is told once
// without the cost of DISTINCT: a row is compared with the last as the file's UTF-8
// bytes, and only a new place is decoded.
void ZipDatabase::forEachName(
    const char* sql, const std::function<void(QStringView city, QStringView state)>& onPlace) {
    sqlite3_stmt* places = prepareStatement(QString::fromLatin1(sql));
    const ScopeExit finalize([places] { sqlite3_finalize(places); });
    const auto column = [places](int i) {
        return QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(places, i)),
                              sqlite3_column_bytes(places, i));
    };
    QByteArray last; // "CITY\nSTATE" of the last place told
    QByteArray place;
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(places)) == SQLITE_ROW) {
        const QByteArrayView city = column(0);
        place.resize(0);
        place.append(city).append('\n').append(column(1));
        if (place.size() == last.size() &&
            qstrnicmp(place.constData(), last.constData(), place.size()) == 0)
            continue;
        const QString cityText = QString::fromUtf8(city);
        const QString stateText = QString::fromUtf8(column(1));
        onPlace(cityText, stateText);
        std::swap(last, place);
    }
    if (stepped != SQLITE_DONE)
        failQuery();
}

void ZipDatabase::runQuery(sqlite3_stmt* statement, std::span<const ZipField> fields,
                           const RowHandler& onRow) {
    const ScopeExit resetStatement([statement] {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
    });
    ZipRow row;
    told_.clear();
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(statement)) == SQLITE_ROW) {
        if (distinctRows_ && toldBefore(statement, int(fields.size())))
            continue;
        for (int i = 0; i < int(fields.size()); ++i) {
            const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement, i));
            const int bytes = sqlite3_column_bytes16(statement, i);
            row.set(fields[std::size_t(i)], QStringView(text, text ? bytes / 2 : 0));
        }
        onRow(row);
    }
    if (stepped != SQLITE_DONE)
        failQuery();
}
