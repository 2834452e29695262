#include "BenchWorkload.h"

#include <QFile>

#include <random>

namespace BenchWorkload {

namespace {

struct Place {
    QString zip;
    QString city;
    QString state;
};

QList<Place> readPlaces(const QString& tsvPath) {
    QFile file(tsvPath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(tsvPath));
    QList<Place> places;
    file.readLine(); // the header: zip, city, state and the zip's own attributes
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().split('\t');
        if (fields.size() >= 3)
            places.append({QString::fromLatin1(fields[0]), QString::fromLatin1(fields[1]),
                           QString::fromLatin1(fields[2])});
    }
    return places;
}

} // namespace

QStringList entries(const QString& tsvPath, int count, unsigned seed) {
    const QList<Place> places = readPlaces(tsvPath);
    std::mt19937 random(seed);
    std::uniform_int_distribution<qsizetype> anyPlace(0, places.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> fiveDigits(0, 99999);
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        const Place& place = places.at(anyPlace(random));
        const int kind = percent(random);
        if (kind < 50)
            list.append(place.zip);
        else if (kind < 80)
            list.append(place.city + QStringLiteral(", ") + place.state);
        else if (kind < 90)
            list.append(place.city.toLower() + QStringLiteral(" , ") + place.state.toLower());
        else if (kind < 95)
            list.append(QStringLiteral("%1").arg(fiveDigits(random), 5, 10, QLatin1Char('0')));
        else
            list.append(QStringLiteral("NOPLACE %1, %2").arg(fiveDigits(random)).arg(place.state));
    }
    return list;
}

} // namespace BenchWorkload
