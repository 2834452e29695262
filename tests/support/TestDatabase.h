#pragma once
// Small zip-code databases for tests, some of them broken on purpose.

#include <QByteArray>
#include <QString>

namespace TestDatabase {

// Creates an SQLite file at path and runs the SQL in it. Returns false on any failure.
bool create(const QString& path, const QString& sql);

// A database file the tables of broken files describe: made by the SQL when there is
// some, else holding the bytes; no file at all when the bytes are null too.
bool place(const QString& path, const QByteArray& bytes, const QString& sql);

// A ZIP_CODES that answers like the real one but fails with "integer overflow" for
// every query that reaches a row with the zip code 99999.
QString failingForZip99999Sql();

} // namespace TestDatabase
