// The questions quellist-convert answers beside the conversion: every zip within a distance
// (--within), whether a table's city, state and zip agree (--check), and the rows as map
// points (--format geojson), checked against distances worked out here on their own and
// read back by a GIS client.

#include "support/ConvertProcess.h"
#include "support/TestDatabase.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>

namespace {

ConvertResult convert(const QStringList& arguments, const QByteArray& input = {}) {
    return runConvert(QStringLiteral(QUELLIST_CONVERT), arguments, input);
}

// The places of the test database; a zip without a point has no coordinates.
struct Place {
    const char* zip;
    const char* city;
    const char* state;
    double latitude;
    double longitude;
    bool point = true;
};
const Place places[] = {
    {"10001", "CENTRE", "KS", 40.0, -100.0},
    {"10002", "EAST", "KS", 40.0, -99.9},
    {"10002", "EAST END", "KS", 40.0, -99.9}, // a second name: the zip stays one row
    {"10003", "TWIN", "KS", 40.1, -100.0},
    {"10004", "TWIN", "KS", 40.1, -100.0}, // the same point: a tie, told apart by zip
    {"10005", "FAR", "KS", 41.0, -100.0},
    {"10006", "NOWHERE", "KS", 0, 0, false},
    {"10007", "EDGE", "KS", 40.0, -99.75},
    {"10008", "WEST", "AK", 52.0, 179.95}, // across the 180th meridian from the next
    {"10009", "EASTWARD", "AK", 52.0, -179.95},
    {"10011", "POLAR", "AK", 89.9, 0.0}, // near the pole, at two sides of it
    {"10012", "POLAR", "AK", 89.9, 90.0},
    // As far from (35, -100) as the next, though the straight line through the earth to this
    // one comes out a hair longer in floating point: the great-circle distance decides.
    {"10013", "LEFT", "OK", 35.0, -100.5},
    {"10014", "RIGHT", "OK", 35.0, -99.5},
    {"10010", "QUOTE \"AND\" BACK\\SLASH", "KS", 30.0, -90.0}, // escaped in JSON
};

QByteArray placeTable() {
    QByteArray table = "zip\tcity\tstate\tlatitude\tlongitude\n";
    for (const Place& p : places) {
        table += QByteArray(p.zip) + '\t' + p.city + '\t' + p.state + '\t';
        if (p.point)
            table += QByteArray::number(p.latitude) + '\t' + QByteArray::number(p.longitude);
        else
            table += '\t';
        table += '\n';
    }
    return table;
}

// The central angle by Vincenty's formula for the sphere, not the haversine the program
// uses: the two agree to far below a tenth of a mile.
double milesApart(const Place& a, const Place& b) {
    const double r = std::numbers::pi / 180;
    const double p1 = a.latitude * r;
    const double p2 = b.latitude * r;
    const double dl = (b.longitude - a.longitude) * r;
    const double y =
        std::hypot(std::cos(p2) * std::sin(dl),
                   std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
    const double x = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl);
    return 3958.8 * std::atan2(y, x);
}

// What --format csv --fields zip,city,distance gives for an entry whose centres are these
// points, found by a scan over every point: each zip once at its distance to the nearest
// centre, nearest first, ties by zip, a zip's first name; at most count of them, none
// farther than miles.
QByteArray expectedRows(const QByteArray& entry, const std::vector<Place>& centres,
                        std::size_t count, double miles) {
    struct Near {
        const Place* place;
        double miles;
    };
    std::vector<Near> near;
    for (const Place& p : places) {
        const bool seen = std::ranges::any_of(
            near, [&](const Near& n) { return QByteArray(n.place->zip) == p.zip; });
        if (!p.point || seen)
            continue;
        double nearest = miles + 1;
        for (const Place& c : centres)
            nearest = std::min(nearest, milesApart(c, p));
        if (nearest <= miles)
            near.push_back({&p, nearest});
    }
    std::ranges::sort(near, [](const Near& a, const Near& b) {
        return a.miles != b.miles ? a.miles < b.miles : QByteArray(a.place->zip) < b.place->zip;
    });
    near.resize(std::min(near.size(), count));
    QByteArray rows = "entry,zip,city,distance\r\n";
    for (const Near& n : near) {
        QByteArray city = QByteArray(n.place->city).toLower();
        city[0] = char(std::toupper(city[0]));
        rows += entry + ',' + n.place->zip + ',' + city + ',' +
                QByteArray::number(n.miles, 'f', 1) + "\r\n";
    }
    return rows;
}

// The points of the zips, as centres.
std::vector<Place> pointsOf(const QList<QByteArray>& zips) {
    std::vector<Place> centres;
    for (const Place& p : places)
        if (p.point && zips.contains(p.zip))
            centres.push_back(p);
    return centres;
}

// What --within MILES gives for an entry whose zips are centres.
QByteArray expectedNear(const QByteArray& entry, const QList<QByteArray>& centres, double miles) {
    return expectedRows(entry, pointsOf(centres), std::size(places), miles);
}

} // namespace

class ConvertQuestionsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void within_data();
    void within();
    void withinRowsAndTables();
    void nearest_data();
    void nearest();
    void pointsAgainstAScan();
    void check_data();
    void check();
    void nearbyOnlyNear();
    void pointsReadOrRefused();
    void nothingWithinTheDistance();
    void usageErrors_data();
    void usageErrors();
    void geojsonReadByGdal();
    void workedExamples();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
};

void ConvertQuestionsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(TestDatabase::fromTable(path("points.mdb"), placeTable()));
}

void ConvertQuestionsTest::within_data() {
    QTest::addColumn<QString>("miles");
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("a zip: itself at 0.0 first, its neighbours nearest first")
        << "8" << QByteArray("10001") << expectedNear("10001", {"10001"}, 8);
    QTest::newRow("a place of two zips at one point: both at 0.0, by zip")
        << "8" << QByteArray("Twin, KS") << expectedNear("\"TWIN, KS\"", {"10003", "10004"}, 8);
    const double edge = milesApart(places[0], places[7]);
    constexpr double hair = 1e-5; // miles; the two formulas agree far closer
    QTest::newRow("just inside the edge")
        << QString::number(edge + hair, 'f', 5) << QByteArray("10001")
        << expectedNear("10001", {"10001"}, edge + hair);
    QTest::newRow("just outside the edge")
        << QString::number(edge - hair, 'f', 5) << QByteArray("10001")
        << expectedNear("10001", {"10001"}, edge - hair);
    QTest::newRow("across the 180th meridian, eastwards")
        << "8" << QByteArray("10008") << expectedNear("10008", {"10008"}, 8);
    QTest::newRow("across the 180th meridian, westwards")
        << "8" << QByteArray("10009") << expectedNear("10009", {"10009"}, 8);
    QTest::newRow("a ZIP+4 code is its zip")
        << "6" << QByteArray("10002-0001") << expectedNear("10002-0001", {"10002"}, 6);
}

void ConvertQuestionsTest::within() {
    QFETCH(QString, miles);
    QFETCH(QByteArray, entry);
    QFETCH(QByteArray, output);
    QVERIFY(output.count('\n') > 1);
    const ConvertResult result = convert({"-q", "--database", path("points.mdb"), "--within", miles,
                                          "--format", "csv", "--fields", "zip,city,distance"},
                                         entry + '\n');
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, output);
}

// The nearest zips of a point, a zip and a place, against a scan over every point.
void ConvertQuestionsTest::nearest_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QByteArray>("output");
    const auto point = [](double latitude, double longitude) {
        return std::vector<Place>{{"", "", "", latitude, longitude}};
    };
    constexpr double anywhere = 1e9;
    QTest::newRow("a point: its nearest zip")
        << QStringList() << QByteArray("40.02,-99.97")
        << expectedRows("\"40.02,-99.97\"", point(40.02, -99.97), 1, anywhere);
    QTest::newRow("a point as far from two zips: the lower zip first")
        << QStringList{"--nearest", "2"} << QByteArray("35,-100")
        << expectedRows("\"35,-100\"", point(35, -100), 2, anywhere);
    for (const auto& [latitude, longitude] :
         {std::pair(35.0, -100.0), std::pair(89.95, 45.0), std::pair(40.05, -99.95)})
        QTest::addRow("the one nearest of two as far: the lower zip, %g,%g", latitude, longitude)
            << QStringList() << QByteArray::number(latitude) + ',' + QByteArray::number(longitude)
            << expectedRows('"' + QByteArray::number(latitude) + ',' +
                                QByteArray::number(longitude) + '"',
                            point(latitude, longitude), 1, anywhere);
    QTest::newRow("near the pole: both sides of it, by zip")
        << QStringList{"--nearest", "3"} << QByteArray("89.95,45")
        << expectedRows("\"89.95,45\"", point(89.95, 45), 3, anywhere);
    QTest::newRow("across the 180th meridian")
        << QStringList{"--nearest", "2"} << QByteArray("52, 179.99")
        << expectedRows("\"52, 179.99\"", point(52, 179.99), 2, anywhere);
    QTest::newRow("a zip: itself first, then its neighbours")
        << QStringList{"--nearest", "4"} << QByteArray("10002")
        << expectedRows("10002", pointsOf({"10002"}), 4, anywhere);
    QTest::newRow("a place of two zips: both at 0.0, then the nearest to either")
        << QStringList{"--nearest", "5"} << QByteArray("Twin, KS")
        << expectedRows("\"TWIN, KS\"", pointsOf({"10003", "10004"}), 5, anywhere);
    QTest::newRow("within a distance: fewer than asked")
        << QStringList{"--nearest", "10", "--within", "8"} << QByteArray("10001")
        << expectedRows("10001", pointsOf({"10001"}), 10, 8);
    QTest::newRow("a point within a distance")
        << QStringList{"--within", "12"} << QByteArray("40.05,-99.9")
        << expectedRows("\"40.05,-99.9\"", point(40.05, -99.9), std::size(places), 12);
}

void ConvertQuestionsTest::nearest() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, entry);
    QFETCH(QByteArray, output);
    QVERIFY(output.count('\n') > 1);
    const ConvertResult result =
        convert(arguments + QStringList{"-q", "--database", path("points.mdb"), "--format", "csv",
                                        "--fields", "zip,city,distance"},
                entry + '\n');
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, output);
}

// Points of the whole shipped data, read from a table on two threads and as list lines on
// one: each the answer of a scan over every zip's point, by another formula. Each point is
// given twice, so that the second finds the candidates its cell keeps.
void ConvertQuestionsTest::pointsAgainstAScan() {
    struct Zip {
        QByteArray zip;
        Place at;
    };
    std::vector<Zip> zips; // each zip's first line's point, as the database keeps it
    for (const QByteArray& line : readFile(QStringLiteral(QUELLIST_ZIP_TSV)).split('\n').mid(1)) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() > 6 && !f[5].isEmpty() && (zips.empty() || zips.back().zip != f[0]))
            zips.push_back({f[0], {"", "", "", f[5].toDouble(), f[6].toDouble()}});
    }
    QVERIFY(zips.size() > 40000);
    std::vector<Place> points;
    quint32 seed = 7; // a fixed walk: half anywhere in the 48 states' box, half near a zip
    const auto next = [&seed](double range) {
        seed = seed * 1664525U + 1013904223U;
        return range * (seed >> 8) / double(1U << 24);
    };
    for (int i = 0; i < 300; ++i) {
        const Place near = zips[std::size_t(next(double(zips.size())))].at;
        const Place point = i % 2 ? Place{"", "", "", 25 + next(24), -124 + next(57)}
                                  : Place{"", "", "", near.latitude + next(0.1) - 0.05,
                                          near.longitude + next(0.1) - 0.05};
        points.insert(points.end(), 2, point);
    }
    // The edges of the world's grid: the poles, the first degree of latitude away from the
    // first column, and both sides of the 180th meridian, where the Aleutians lie; each
    // twice too, the second answered from its cell.
    for (const auto& [latitude, longitude] : {std::pair{90.0, 180.0},
                                              {-90.0, -180.0},
                                              {-89.95, 100.0},
                                              {89.99, -179.99},
                                              {51.9, 179.99},
                                              {51.9, -179.99}})
        points.insert(points.end(), 2, Place{"", "", "", latitude, longitude});
    QByteArray table = "id,lat,lon\n";
    QByteArray list;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QByteArray at = QByteArray::number(points[i].latitude, 'f', 5) + ',' +
                              QByteArray::number(points[i].longitude, 'f', 5);
        table += QByteArray::number(qsizetype(i)) + ',' + at + '\n';
        list += at + '\n';
        const QList<QByteArray> parts = at.split(',');
        points[i].latitude = parts[0].toDouble(); // as the converter reads them
        points[i].longitude = parts[1].toDouble();
    }
    for (const int count : {1, 3}) {
        QByteArray expected = "id,lat,lon,zip,distance\r\n";
        QByteArray expectedList = "entry,zip,distance\r\n";
        for (std::size_t i = 0; i < points.size(); ++i) {
            std::vector<std::pair<double, QByteArray>> near;
            near.reserve(zips.size());
            for (const Zip& zip : zips)
                near.emplace_back(milesApart(points[i], zip.at), zip.zip);
            std::partial_sort(near.begin(), near.begin() + count, near.end());
            const QByteArray record = table.split('\n')[qsizetype(i) + 1];
            for (int k = 0; k < count; ++k) {
                const QByteArray row = ',' + near[std::size_t(k)].second + ',' +
                                       QByteArray::number(near[std::size_t(k)].first, 'f', 1) +
                                       "\r\n";
                expected += record + row;
                expectedList += '"' + record.mid(record.indexOf(',') + 1) + '"' + row;
            }
        }
        // Twenty times over: batches of thousands of records cross the second thread.
        const qsizetype header = table.indexOf('\n') + 1;
        const qsizetype expectedHeader = expected.indexOf('\n') + 1;
        const QStringList nearest = count > 1 ? QStringList{"--nearest", "3"} : QStringList();
        const ConvertResult fromTable =
            convert(nearest + QStringList{"-q", "--latitude-column", "lat", "--longitude-column",
                                          "lon", "--fields", "zip,distance", "-"},
                    table.left(header) + table.mid(header).repeated(20));
        QCOMPARE(fromTable.status, 0);
        QVERIFY(fromTable.out ==
                expected.left(expectedHeader) + expected.mid(expectedHeader).repeated(20));
        const ConvertResult fromList = convert(
            nearest + QStringList{"-q", "--format", "csv", "--fields", "zip,distance", "-"}, list);
        QCOMPARE(fromList.status, 0);
        QCOMPARE(fromList.out, expectedList);
    }
}

// The save option words the rows; a table's records and a map's features repeat, the
// distance where --fields puts it; an entry without a point is unmatched, and the list says why; a
// database built before the points ends the run.
void ConvertQuestionsTest::withinRowsAndTables() {
    const QStringList database{"--database", path("points.mdb"), "--within", "6"};
    const ConvertResult rows =
        convert(database + QStringList{"--save", "city-state", "--unmatched", path("misses")},
                "10002\n10006\nNoplace, KS\n");
    QCOMPARE(rows.status, 0);
    QCOMPARE(rows.out, QByteArray("East, KS\r\nCentre, KS\r\n"));
    QCOMPARE(rows.err, QByteArray("quellist-convert: 3 entries read, 1 converted, 2 unmatched, "
                                  "2 rows written\n"));
    QCOMPARE(readFile(path("misses")),
             QByteArray("standard input:2\t10006\tthe zip data has no point for 10006\n"
                        "standard input:3\tNOPLACE, KS\n"));
    const ConvertResult table = convert(database + QStringList{"-q", "--column", "zip", "--fields",
                                                               "distance,zip", "--keep-unmatched"},
                                        "id,zip\n1,10002\n2,10006\n");
    QCOMPARE(table.status, 0);
    QCOMPARE(table.out, QByteArray("id,zip,distance,zip_2\r\n1,10002,0.0,10002\r\n"
                                   "1,10002,5.3,10001\r\n2,10006,,\r\n"));
    const ConvertResult map = convert(
        database + QStringList{"-q", "--format", "geojson", "--fields", "zip,distance"}, "10002\n");
    QCOMPARE(map.status, 0);
    QCOMPARE(map.out,
             QByteArray("{\"type\":\"FeatureCollection\",\"features\":[\n"
                        "{\"type\":\"Feature\",\"properties\":{\"entry\":\"10002\",\"zip\":"
                        "\"10002\",\"distance\":0.0},\"geometry\":{\"type\":\"Point\","
                        "\"coordinates\":[-99.9,40]}},\n"
                        "{\"type\":\"Feature\",\"properties\":{\"entry\":\"10002\",\"zip\":"
                        "\"10001\",\"distance\":5.3},\"geometry\":{\"type\":\"Point\","
                        "\"coordinates\":[-100,40]}}\n]}\n"));
    QVERIFY(
        TestDatabase::create(path("older.mdb"), QStringLiteral("CREATE TABLE ZIP_CODES (ZIP "
                                                               "TEXT, CITY TEXT, STATE TEXT);")));
    const ConvertResult older = convert({"--database", path("older.mdb"), "--within", "5"}, "1\n");
    QCOMPARE(older.status, 3);
    QVERIFY2(older.err.contains("it has no table ZIP_POINTS"), older.err);
}

// Every verdict once, against the shipped data.
// Every verdict once, against the shipped data: the fields appended are the verdict, the
// zip's own city and state, and its county.
void ConvertQuestionsTest::check_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("appended");
    const QByteArray londonderry = ",Londonderry,NH,Rockingham";
    QTest::newRow("ok") << QByteArray("Londonderry,NH,03053") << "ok" + londonderry;
    QTest::newRow("ok: letter case, blanks and ZIP+4")
        << QByteArray(" LONDONDERRY , nh,03053-1234 ") << "ok" + londonderry;
    QTest::newRow("ok: the zip's second name, its first appended")
        << QByteArray("Osseo,MN,55311") << QByteArray("ok,Maple Grove,MN,Hennepin");
    QTest::newRow("loose") << QByteArray("St. Johnsbury,VT,05819")
                           << QByteArray("loose,Saint Johnsbury,VT,Caledonia");
    QTest::newRow("nearby: a place the zip data does not name, 2.9 miles away")
        << QByteArray("Eagan,MN,55122") << QByteArray("nearby,Saint Paul,MN,Dakota");
    QTest::newRow("nearby: a place of another zip, 4 miles away, in other letter case")
        << QByteArray("derry,NH,03053") << "nearby" + londonderry;
    QTest::newRow("other-city: a place 148 miles away")
        << QByteArray("Duluth,MN,55122") << QByteArray("other-city,Saint Paul,MN,Dakota");
    QTest::newRow("other-city: no place at all")
        << QByteArray("Nowhere,NH,03053") << "other-city" + londonderry;
    QTest::newRow("other-state: a place of another state")
        << QByteArray("Londonderry,VT,03053") << "other-state" + londonderry;
    QTest::newRow("other-state: a nearby place, but of another state")
        << QByteArray("Eagan,WI,55122") << QByteArray("other-state,Saint Paul,MN,Dakota");
    QTest::newRow("unknown-zip") << QByteArray("Nashua,NH,00000") << QByteArray("unknown-zip,,,");
    QTest::newRow("no-zip: empty") << QByteArray("Nashua,NH,") << QByteArray("no-zip,,,");
    QTest::newRow("no-zip: not digits") << QByteArray("Nashua,NH,O3060") << QByteArray("no-zip,,,");
    QTest::newRow("ok: a zip that lost its leading zero, as a list reads it")
        << QByteArray("Nashua,NH,3060") << QByteArray("ok,Nashua,NH,Hillsborough");
}

void ConvertQuestionsTest::check() {
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, appended);
    const ConvertResult result = convert({"--check", "--column", "zip", "--city-column", "city",
                                          "--state-column", "state", "--fields", "county,state"},
                                         "city,state,zip\n" + record + '\n');
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out,
             "city,state,zip,check,city_2,state_2,county\r\n" + record + ',' + appended + "\r\n");
    const QByteArray verdict = appended.left(appended.indexOf(','));
    QVERIFY2(result.err.contains(", 1 " + verdict) || result.err.contains(": 1 " + verdict),
             result.err);
    QVERIFY(result.err.startsWith("quellist-convert: 1 record checked: "));
    const ConvertResult quiet =
        convert({"-q", "--check", "--column", "zip", "--city-column", "city", "--state-column",
                 "state", "--fields", "county,state"},
                "city,state,zip\n" + record + '\n');
    QCOMPARE(quiet.out, result.out);
    QCOMPARE(quiet.err, QByteArray());
}

// Against the shipped data: a place of a zip's state within 5 miles of its point (by
// another formula), not a name of the zip, is nearby; one a little farther (in the corners
// of the box searched) is not, nor one farther than three times that.
void ConvertQuestionsTest::nearbyOnlyNear() {
    struct Zip {
        QByteArray zip, state;
        Place at;
        QList<QByteArray> names;
    };
    std::vector<Zip> zips;
    for (const QByteArray& line : readFile(QStringLiteral(QUELLIST_ZIP_TSV)).split('\n').mid(1)) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() < 7 || f[5].isEmpty())
            continue;
        if (zips.empty() || zips.back().zip != f[0])
            zips.push_back({f[0], f[2], {"", "", "", f[5].toDouble(), f[6].toDouble()}, {}});
        zips.back().names << f[1];
    }
    // Each place of a state once, at its points (two places may share a name).
    std::map<QByteArray, std::map<QByteArray, std::vector<Place>>> placesOfState;
    for (const QByteArray& line :
         readFile(QStringLiteral(QUELLIST_TEST_DATA "/../../data/us-places.tsv"))
             .split('\n')
             .mid(1)) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() == 4)
            placesOfState[f[1]][f[0]].push_back({"", "", "", f[2].toDouble(), f[3].toDouble()});
    }
    QByteArray table = "city,state,zip\n";
    QByteArray expected;
    int near = 0;
    int far = 0;
    for (std::size_t i = 0; i < zips.size(); i += 97) { // a fixed sample over the whole data
        const Zip& zip = zips[i];
        bool taken[3] = {false, false, false}; // near, a little beyond, far
        for (const auto& [name, points] : placesOfState[zip.state]) {
            if (zip.names.contains(name) || name.contains(',') || name.contains('"'))
                continue;
            double miles = 1e9;
            for (const Place& at : points)
                miles = std::min(miles, milesApart(zip.at, at));
            const int group = miles < 4.9                  ? 0
                              : miles > 5.2 && miles < 6.5 ? 1
                              : miles > 15                 ? 2
                                                           : -1;
            if (group < 0 || std::exchange(taken[group], true))
                continue;
            table += name + ',' + zip.state + ',' + zip.zip + '\n';
            expected += group == 0 ? "nearby\n" : "far\n";
            ++(group == 0 ? near : far);
        }
    }
    QVERIFY2(near > 150 && far > 400,
             qPrintable(QStringLiteral("%1 near, %2 far").arg(near).arg(far)));
    const ConvertResult result = convert({"-q", "--check", "--column", "zip", "--city-column",
                                          "city", "--state-column", "state", "--fields", "zip"},
                                         table);
    QCOMPARE(result.status, 0);
    QByteArray verdicts;
    for (const QByteArray& record : result.out.split('\n').mid(1))
        if (!record.isEmpty())
            verdicts += record.split(',').value(3) == "nearby" ? "nearby\n" : "far\n";
    QCOMPARE(verdicts, expected);
}

// Signed degrees are read; a coordinate that is not a plain decimal number or lies out of
// range leaves its record unmatched, and the misses say which coordinate and why.
void ConvertQuestionsTest::pointsReadOrRefused() {
    const ConvertResult result =
        convert({"-q", "--latitude-column", "lat", "--longitude-column", "lon", "--fields",
                 "zip,distance", "--keep-unmatched", "--unmatched", path("misses"), "-"},
                "id,lat,lon\n1,+42.8656,-71.3772\n2,42.8656,-71.3772x\n3,42.8656,\n4,1e1,-71.3772\n"
                "5,-90.5,-71.3772\n6,42.8656,+180.01\n");
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray("id,lat,lon,zip,distance\r\n1,+42.8656,-71.3772,03053,0.0\r\n"
                                    "2,42.8656,-71.3772x,,\r\n3,42.8656,,,\r\n4,1e1,-71.3772,,\r\n"
                                    "5,-90.5,-71.3772,,\r\n6,42.8656,+180.01,,\r\n"));
    QCOMPARE(readFile(path("misses")),
             QByteArray("standard input:3\t42.8656,-71.3772X\tthe longitude \"-71.3772x\" is not "
                        "a number of degrees\n"
                        "standard input:4\t42.8656,\tthe longitude is missing\n"
                        "standard input:5\t1E1,-71.3772\tthe latitude \"1e1\" is not a number of "
                        "degrees\n"
                        "standard input:6\t-90.5,-71.3772\tthe latitude -90.5 is out of range "
                        "(-90 to 90)\n"
                        "standard input:7\t42.8656,+180.01\tthe longitude +180.01 is out of range "
                        "(-180 to 180)\n"));
}

// A point out at sea and a place the zip data does not name, each with no zip within the
// distance: unmatched, and the list says so (the shipped data).
void ConvertQuestionsTest::nothingWithinTheDistance() {
    const ConvertResult result = convert({"--within", "1", "--unmatched", path("misses")},
                                         "30,-140\nSpring Valley, NV\n03053\n");
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QByteArray("Londonderry, NH 03053\r\n"));
    QCOMPARE(readFile(path("misses")),
             QByteArray("standard input:1\t30,-140\tno zip within the distance\n"
                        "standard input:2\tSPRING VALLEY, NV\tno zip within the distance\n"));
}

void ConvertQuestionsTest::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString miles = QStringLiteral("--within takes a distance in miles above 0 and at most "
                                         "500, not \"%1\"");
    for (const char* distance : {"0", "-5", "500.5", "ten", "nan", "inf", ""})
        QTest::addRow("--within %s", distance)
            << QStringList{"--within", distance} << miles.arg(QLatin1String(distance));
    QTest::newRow("distance with --check")
        << QStringList{"--check",        "--column", "z",        "--city-column", "c",
                       "--state-column", "s",        "--fields", "zip,distance"}
        << "--fields distance is the distance of --within, --nearest or a point: --check has "
           "none";
    QTest::newRow("--check without the city and state columns")
        << QStringList{"--check", "--column", "zip"}
        << "--check reads the zip, city and state columns of a table: give --city-column, "
           "--state-column";
    QTest::newRow("--check without the zip column")
        << QStringList{"--check", "--city-column", "c", "--state-column", "s"}
        << "--check reads the zip, city and state columns of a table: give --column (the zip's)";
    QTest::newRow("--check and --within")
        << QStringList{"--check", "--column", "z", "--city-column", "c", "--state-column",
                       "s",       "--within", "5"}
        << "--check and --within are two different runs: give one";
    for (const char* count : {"0", "101", "2.5", "x", ""})
        QTest::addRow("--nearest %s", count)
            << QStringList{"--nearest", count}
            << QStringLiteral("--nearest takes a number of zips from 1 to 100, not \"%1\"")
                   .arg(QLatin1String(count));
    QTest::newRow("a latitude column alone")
        << QStringList{"--latitude-column", "lat"} << "--latitude-column needs --longitude-column";
    QTest::newRow("a longitude column alone")
        << QStringList{"--longitude-column", "lon"} << "--longitude-column needs --latitude-column";
    QTest::newRow("a point's columns and --column")
        << QStringList{"--column", "zip", "--latitude-column", "a", "--longitude-column", "b"}
        << "--column and --latitude-column name the entry twice: give one";
    QTest::newRow("--check and --nearest")
        << QStringList{"--check", "--column",  "z", "--city-column", "c", "--state-column",
                       "s",       "--nearest", "5"}
        << "--check and --nearest are two different runs: give one";
    QTest::newRow("a table of points as geojson")
        << QStringList{"--latitude-column", "a", "--longitude-column", "b", "--format", "geojson"}
        << "a table is written as csv or tsv: --format csv or --format tsv";
    QTest::newRow("a table as geojson") << QStringList{"--column", "zip", "--format", "geojson"}
                                        << "a table is written as csv or tsv: --format csv or "
                                           "--format tsv";
}

void ConvertQuestionsTest::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const ConvertResult result = convert(arguments << "-o" << path("out"), "03053\n");
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.startsWith("quellist-convert: " + message.toUtf8() + '\n'), result.err);
    QVERIFY(!QFile::exists(path("out")));
}

// GDAL's ogrinfo reads the features back: a row without a point left out and counted, the
// others with their properties and their point.
void ConvertQuestionsTest::geojsonReadByGdal() {
    const ConvertResult result = convert({"--database", path("points.mdb"), "--format", "geojson",
                                          "--fields", "zip,city,latitude", "-o", path("map.json")},
                                         "Twin, KS\n10006\nNoplace, KS\n10010\n");
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QByteArray("quellist-convert: 4 entries read, 3 converted, 1 unmatched, "
                                    "3 rows written, 1 without a point left out\n"));
    QProcess ogrinfo;
    ogrinfo.start(QStringLiteral("ogrinfo"), {"-ro", "-al", "-q", path("map.json")});
    QVERIFY2(ogrinfo.waitForFinished(60000),
             "ogrinfo (Debian's gdal-bin) is needed: scripts/install-deps.sh --tests installs it");
    const QByteArray read = ogrinfo.readAllStandardOutput();
    QCOMPARE(ogrinfo.exitCode(), 0);
    QCOMPARE(read.count("OGRFeature("), 3);
    QVERIFY2(read.contains("OGRFeature(map):2\n"
                           "  entry (String) = 10010\n"
                           "  zip (String) = 10010\n"
                           "  city (String) = Quote \"and\" Back\\slash\n"
                           "  latitude (Real) = 30\n"
                           "  POINT (-90 30)\n"),
             read);
    QVERIFY2(read.contains("entry (String) = TWIN, KS\n  zip (String) = 10004\n"), read);
}

// The examples of the manual and the README, whole.
void ConvertQuestionsTest::workedExamples() {
    const QString data = QStringLiteral(QUELLIST_TEST_DATA "/cli/");
    QDir::setCurrent(data);
    const ConvertResult near = convert(
        {"-q", "--column", "zip", "--within", "5", "--fields", "zip,city,distance", "stores.csv"});
    QCOMPARE(near.status, 0);
    QCOMPARE(near.out, readFile(data + QStringLiteral("stores-within-5.csv")));
    const ConvertResult checked = convert({"--check", "--column", "zip", "--city-column", "city",
                                           "--state-column", "state", "addresses.csv"});
    QCOMPARE(checked.status, 0);
    QCOMPARE(checked.out, readFile(data + QStringLiteral("addresses-checked.csv")));
    QCOMPARE(checked.err, QByteArray("quellist-convert: 8 records checked: 2 ok, 1 loose, 1 "
                                     "nearby, 1 other-city, 1 other-state, 1 unknown-zip, 1 "
                                     "no-zip\n"));
    const ConvertResult visits = convert(
        {"-q", "--latitude-column", "lat", "--longitude-column", "lon", "--fields",
         "zip,city,distance", "--keep-unmatched", "--unmatched", path("misses"), "visits.csv"});
    QCOMPARE(visits.status, 0);
    QCOMPARE(visits.out, readFile(data + QStringLiteral("visits-nearest.csv")));
    QCOMPARE(readFile(path("misses")), readFile(data + QStringLiteral("visits-misses.txt")));
    const ConvertResult nearest =
        convert({"-q", "--nearest", "3", "--format", "csv", "--fields", "zip,city,distance"},
                "42.8656,-71.3772\n");
    QCOMPARE(nearest.status, 0);
    QCOMPARE(nearest.out, QByteArray("entry,zip,city,distance\r\n"
                                     "\"42.8656,-71.3772\",03053,Londonderry,0.0\r\n"
                                     "\"42.8656,-71.3772\",03038,Derry,4.1\r\n"
                                     "\"42.8656,-71.3772\",03052,Litchfield,4.2\r\n"));
    const ConvertResult unnamed = convert({"-q", "--loose", "--unmatched", path("unnamed")},
                                          "Bloomington, MN\nMt Healthy, OH\n");
    QCOMPARE(unnamed.status, 0);
    QCOMPARE(readFile(path("unnamed")),
             QByteArray("standard input:1\tBLOOMINGTON, MN\ta place the zip data does not name; "
                        "nearest zips: 55420 MINNEAPOLIS 1.1 mi; 55431 MINNEAPOLIS 1.1 mi; 55435 "
                        "MINNEAPOLIS 2.9 mi\n"
                        "standard input:2\tMT HEALTHY, OH\ta place the zip data does not name; "
                        "nearest zips: 45231 CINCINNATI 0.6 mi; 45218 CINCINNATI 2.6 mi; 45224 "
                        "CINCINNATI 2.6 mi\n"));
    const ConvertResult centred =
        convert({"-q", "--within", "2", "--format", "csv", "--fields", "zip,city,distance"},
                "Bloomington, MN\n");
    QCOMPARE(centred.out, QByteArray("entry,zip,city,distance\r\n"
                                     "\"BLOOMINGTON, MN\",55420,Minneapolis,1.1\r\n"
                                     "\"BLOOMINGTON, MN\",55431,Minneapolis,1.1\r\n"));
    const ConvertResult map =
        convert({"-q", "--format", "geojson", "--fields", "zip,city,county", "branches.txt"});
    QCOMPARE(map.status, 0);
    QCOMPARE(map.out, readFile(data + QStringLiteral("branches.geojson")));
}

QTEST_GUILESS_MAIN(ConvertQuestionsTest)
#include "tst_ConvertQuestions.moc"
