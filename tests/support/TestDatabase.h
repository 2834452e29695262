#pragma once
// Small zip-code databases for tests, some of them broken on purpose.

#include <QString>

namespace TestDatabase {

// Creates an SQLite file at path and runs the SQL in it. Returns false on any failure.
bool create(const QString& path, const QString& sql);

// A ZIP_CODES that answers like the real one but fails with "integer overflow" for
// every query that reaches a row with the zip code 99999.
QString failingForZip99999Sql();

} // namespace TestDatabase
