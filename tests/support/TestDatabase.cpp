#include "support/TestDatabase.h"

#include "zipbase/PlaceTsvReader.h"
#include "zipbase/ZipTsvReader.h"
#include "zipbase/ZipbaseBuilder.h"

#include <QFile>

#include <sqlite3.h>

namespace TestDatabase {

bool create(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(path.toUtf8().constData(), &db,
                              SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool fromTable(const QString& path, const QByteArray& table, const QByteArray& places) {
    QList<QByteArray> lines = table.split('\n');
    if (lines.isEmpty())
        return false;
    // The columns the header does not name, appended empty to every line.
    QByteArray missing;
    const QList<QByteArray> named = lines.front().split('\t');
    for (const ZipFieldInfo& field : zipFields)
        if (!named.contains(field.header))
            missing += '\t' + QByteArray(field.header);
    std::string text = (lines.front() + missing + '\n').toStdString();
    const QByteArray empty(missing.count('\t'), '\t');
    for (const QByteArray& line : lines.mid(1))
        if (!line.isEmpty())
            text += (line + empty + '\n').toStdString();
    ZipTsvReader reader;
    PlaceTsvReader placeReader;
    return reader.parse(text) && (places.isEmpty() || placeReader.parse(places.toStdString())) &&
           ZipbaseBuilder::build(reader.records(), placeReader.records(),
                                 QFile::encodeName(path).toStdString())
               .empty();
}

bool fromPlaces(const QString& path, const QByteArray& places) {
    return fromTable(path, "zip\tcity\tstate\n" + places);
}

bool place(const QString& path, const QByteArray& bytes, const QString& sql) {
    if (!sql.isEmpty())
        return create(path, sql);
    if (bytes.isNull())
        return true;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString failingForZip99999Sql() {
    // abs() of the smallest 64-bit integer raises an error when it is evaluated, and the
    // view evaluates it only for the rows the lookup's index finds.
    return QStringLiteral(
        "CREATE TABLE RAW (ZIP TEXT COLLATE NOCASE, CITY TEXT COLLATE NOCASE,"
        "                  STATE TEXT COLLATE NOCASE);"
        "CREATE INDEX RAW_ZIP ON RAW (ZIP);"
        "CREATE INDEX RAW_CITY ON RAW (CITY, STATE);"
        "INSERT INTO RAW VALUES ('03053', 'LONDONDERRY', 'NH'), ('99999', 'NOWHERE', 'NH'),"
        "                       ('03060', 'NASHUA', 'NH');"
        "CREATE VIEW ZIP_CODES AS SELECT ZIP, CITY, STATE FROM RAW"
        " WHERE CASE WHEN ZIP = '99999' THEN abs(-9223372036854775807 - 1) ELSE 1 END;");
}

} // namespace TestDatabase
