// The zip-code database: the shipped file answers both lookups without regard to letter
// case and with keys bound, never pasted; broken files are refused with the file and the
// problem named.

#include "convert/ZipDatabase.h"
#include "core/AppError.h"
#include "core/ScopeExit.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class ZipDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void cityWithApostrophe();
    void zipWithTwoCities();
    void lettersCaseIgnored();
    void distinctOverColumnList();
    void keysCannotChangeTheQuery_data();
    void keysCannotChangeTheQuery();
    void holdsExactlyTheDataTable();
    void lookupsUseAnIndex();
    void brokenFilesAreRefused_data();
    void brokenFilesAreRefused();
    void failingQueryThrowsForItsKeyOnly();
    void damagedAndLockedFiles_data();
    void damagedAndLockedFiles();
    void checkedWholeOnceUntilWritten();
    // The databases checked are remembered in the tests' cache, not the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
};

namespace {

using enum ZipField;
std::vector<ZipField> prepared; // what the last prepare() fetches, in order

void prepare(ZipDatabase& db, std::vector<ZipField> fields) {
    db.prepare(fields);
    prepared = std::move(fields);
}

// Every row a lookup hands over, its fetched fields joined by "|".
template <typename Lookup> QStringList collect(Lookup&& lookup) {
    QStringList found;
    lookup([&](const ZipRow& row) {
        QStringList parts;
        for (ZipField field : prepared)
            parts << row[field].toString();
        found << parts.join(u'|');
    });
    return found;
}

QStringList rows(ZipDatabase& db, const QString& zip) {
    return collect([&](const auto& onRow) { db.lookupZip(zip, onRow); });
}

QStringList rows(ZipDatabase& db, const QString& city, const QString& state) {
    return collect([&](const auto& onRow) { db.lookupCityState(city, state, onRow); });
}

} // namespace

void ZipDatabaseTest::cityWithApostrophe() {
    ZipDatabase db(QStringLiteral(QUELLIST_ZIPBASE));
    prepare(db, {Zip});
    QCOMPARE(rows(db, QStringLiteral("COEUR D'ALENE"), QStringLiteral("ID")),
             (QStringList{"83814", "83815", "83816"}));
}

void ZipDatabaseTest::zipWithTwoCities() {
    ZipDatabase db(QStringLiteral(QUELLIST_ZIPBASE));
    prepare(db, {City, State, Zip});
    QCOMPARE(rows(db, QStringLiteral("11760")),
             (QStringList{"ISLANDIA|NY|11760", "MELVILLE|NY|11760"}));
}

void ZipDatabaseTest::lettersCaseIgnored() {
    ZipDatabase db(QStringLiteral(QUELLIST_ZIPBASE));
    prepare(db, {Zip});
    QCOMPARE(rows(db, QStringLiteral("nashua"), QStringLiteral("nH")),
             (QStringList{"03060", "03061", "03062", "03063", "03064"}));
}

void ZipDatabaseTest::distinctOverColumnList() {
    ZipDatabase db(QStringLiteral(QUELLIST_ZIPBASE));
    prepare(db, {State});
    QCOMPARE(rows(db, QStringLiteral("NASHUA"), QStringLiteral("NH")), QStringList{"NH"});
}

void ZipDatabaseTest::keysCannotChangeTheQuery_data() {
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("state");
    QTest::newRow("always true") << "X' OR '1'='1"
                                 << "NH' OR '1'='1";
    QTest::newRow("comment") << "NASHUA' --"
                             << "";
    QTest::newRow("second statement") << "A'; DROP TABLE ZIP_CODES; --"
                                      << "NH";
    QTest::newRow("backquote and quotes") << "`ZIP_CODES`\""
                                          << "'";
    QTest::newRow("control characters") << QString::fromUtf16(u"\u0000\u0001\r\n") << "\t";
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << "NH";
}

void ZipDatabaseTest::keysCannotChangeTheQuery() {
    QFETCH(QString, city);
    QFETCH(QString, state);
    ZipDatabase db(QStringLiteral(QUELLIST_ZIPBASE));
    prepare(db, {City, State, Zip});
    QCOMPARE(rows(db, city, state), QStringList());
    QCOMPARE(rows(db, city), QStringList());
    QCOMPARE(rows(db, QStringLiteral("03053")), QStringList{"LONDONDERRY|NH|03053"});
}

// The built database holds the data table exactly: every record with every column, the
// first one too, and nothing else (count and a checksum of the ordered rows).
void ZipDatabaseTest::holdsExactlyTheDataTable() {
    QStringList table = QString::fromUtf8(readFile(QStringLiteral(QUELLIST_ZIP_TSV)))
                            .split(u'\n', Qt::SkipEmptyParts);
    QStringList headers;
    QStringList columns;
    for (const ZipFieldInfo& field : zipFields) {
        headers << QLatin1String(field.header);
        columns << QLatin1String(field.column);
    }
    QCOMPARE(table.takeFirst(), headers.join(u'\t'));
    table.sort();
    QStringList rows;
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(QUELLIST_ZIPBASE, &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* all = nullptr;
    const QByteArray select =
        "SELECT " + columns.join(QStringLiteral(" || char(9) || ")).toLatin1() + " FROM ZIP_CODES";
    QCOMPARE(sqlite3_prepare_v2(db, select.constData(), -1, &all, nullptr), SQLITE_OK);
    while (sqlite3_step(all) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(all, 0)));
    sqlite3_finalize(all);
    sqlite3_close(db);
    rows.sort();
    QCOMPARE(rows.size(), table.size());
    QCOMPARE(QCryptographicHash::hash(rows.join(u'\n').toUtf8(), QCryptographicHash::Sha256),
             QCryptographicHash::hash(table.join(u'\n').toUtf8(), QCryptographicHash::Sha256));
}

// Both lookups go through an index: without one, "City, ST" entries take a hundred times
// as long with the same results.
void ZipDatabaseTest::lookupsUseAnIndex() {
    ZipDatabase db(QStringLiteral(QUELLIST_ZIPBASE));
    prepare(db, {City, State, Zip});
    QCOMPARE(rows(db, QStringLiteral("03053")).size(), 1);
    QCOMPARE(db.fullScanSteps(), 0);
    QCOMPARE(rows(db, QStringLiteral("Nashua"), QStringLiteral("nh")).size(), 5);
    QCOMPARE(db.fullScanSteps(), 0);
}

void ZipDatabaseTest::brokenFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << QByteArray() << QString() << "file not found";
    QTest::newRow("empty file") << QByteArray("") << QString() << "no table ZIP_CODES";
    QTest::newRow("not sqlite") << QByteArray("ZIP\tCITY\tSTATE\n03053\tLONDONDERRY\tNH\n")
                                << QString() << "not a database";
    QTest::newRow("no table") << QByteArray() << "CREATE TABLE OTHER (ZIP TEXT);"
                              << "no table ZIP_CODES";
    QTest::newRow("wrong columns")
        << QByteArray() << "CREATE TABLE ZIP_CODES (ZIP TEXT, TOWN TEXT, STATE TEXT);"
        << "no column CITY";
}

void ZipDatabaseTest::brokenFilesAreRefused() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, sql);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(TestDatabase::place(path, bytes, sql));

    try {
        ZipDatabase db(path);
        prepare(db, {City, State, Zip});
        QFAIL("the broken database was accepted");
    } catch (const AppError& failure) {
        QVERIFY2(failure.description().contains(path), qPrintable(failure.description()));
        QVERIFY2(failure.description().contains(problem), qPrintable(failure.description()));
    }
}

void ZipDatabaseTest::failingQueryThrowsForItsKeyOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(TestDatabase::create(path, TestDatabase::failingForZip99999Sql()));
    ZipDatabase db(path);
    prepare(db, {City, State, Zip});
    QVERIFY_THROWS_EXCEPTION(AppError, rows(db, QStringLiteral("99999")));
    QCOMPARE(rows(db, QStringLiteral("03053")), QStringList{"LONDONDERRY|NH|03053"});
}

void ZipDatabaseTest::damagedAndLockedFiles_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("problem");
    QTest::newRow("truncated") << "truncated"
                               << "damaged|malformed";
    QTest::newRow("page overwritten") << "overwritten"
                                      << "damaged|malformed";
    QTest::newRow("locked by another program") << "locked"
                                               << "locked";
    QTest::newRow("unreadable") << "unreadable"
                                << "unable to open";
}

void ZipDatabaseTest::damagedAndLockedFiles() {
    QFETCH(QString, fault);
    QFETCH(QString, problem);
    if (fault == "unreadable" && geteuid() == 0)
        QSKIP("root reads every file");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QByteArray bytes = readFile(QStringLiteral(QUELLIST_ZIPBASE));
    if (fault == "truncated")
        bytes.truncate(bytes.size() / 2);
    if (fault == "overwritten")
        bytes.replace(bytes.size() / 2, 8192, QByteArray(8192, '\x5a'));
    QVERIFY(writeFile(path, bytes));
    if (fault == "unreadable")
        QFile::setPermissions(path, {});

    sqlite3* holder = nullptr; // another program writing to the file
    const ScopeExit closeHolder([&] { sqlite3_close(holder); });
    if (fault == "locked") {
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
        QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    try {
        ZipDatabase db(path);
        QFAIL("the database was accepted");
    } catch (const DatabaseFault& failure) {
        QVERIFY2(failure.description().contains(path), qPrintable(failure.description()));
        QVERIFY2(failure.description().contains(QRegularExpression(problem)),
                 qPrintable(failure.description()));
    }
}

namespace {

// The bytes this process has read from files so far.
qint64 bytesRead() {
    const QByteArray io = readFile(QStringLiteral("/proc/self/io"));
    const qsizetype at = io.indexOf("rchar: ");
    return at < 0 ? -1 : io.mid(at + 7, io.indexOf('\n', at) - at - 7).toLongLong();
}

} // namespace

// A database is read whole for the check at its first start only; written since (damaged in
// place), it is checked again and refused.
void ZipDatabaseTest::checkedWholeOnceUntilWritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zipbase.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(QUELLIST_ZIPBASE), path));
    const qint64 size = QFileInfo(path).size();
    const auto readOpening = [&] {
        const qint64 before = bytesRead();
        ZipDatabase opened(path);
        return bytesRead() - before;
    };
    QVERIFY2(readOpening() >= size, "the first start reads the whole file");
    QVERIFY2(readOpening() < size / 10, "a later start reads a few pages");
    QFile damage(path);
    QVERIFY(damage.open(QIODevice::ReadWrite));
    QVERIFY(damage.seek(size / 2));
    QVERIFY(damage.write(QByteArray(8192, '\x5a')) == 8192);
    damage.close();
    QVERIFY_THROWS_EXCEPTION(DatabaseFault, ZipDatabase{path});
}

QTEST_GUILESS_MAIN(ZipDatabaseTest)
#include "tst_ZipDatabase.moc"
