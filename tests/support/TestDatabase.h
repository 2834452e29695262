#pragma once
// Small zip-code databases for tests, some of them broken on purpose.

#include <QByteArray>
#include <QString>

namespace TestDatabase {

// Creates an SQLite file at path and runs the SQL in it. Returns false on any failure.
bool create(const QString& path, const QString& sql);

// Builds a database at path as the build makes zipbase.mdb, with the database builder,
// from a zip table whose header line names the columns it gives ("zip\tcity\tstate\t
// latitude"), in any order: the columns it does not name are left empty; and from a table
// of places (data/us-places.tsv's form) where one is given. Returns false when the builder
// refuses a table.
bool fromTable(const QString& path, const QByteArray& table, const QByteArray& places = {});

// The same from lines of zip, city and state alone: "ZIP<TAB>CITY<TAB>STATE\n...".
bool fromPlaces(const QString& path, const QByteArray& places);

// A database file the tables of broken files describe: made by the SQL when there is
// some, else holding the bytes; no file at all when the bytes are null too.
bool place(const QString& path, const QByteArray& bytes, const QString& sql);

// A ZIP_CODES that answers like the real one but fails with "integer overflow" for
// every query that reaches a row with the zip code 99999.
QString failingForZip99999Sql();

} // namespace TestDatabase
