#include "convert/GeoPoint.h"

#include "core/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace {

constexpr double degrees = 180.0 / std::numbers::pi;

double radians(double angle) {
    return angle / degrees;
}

// A decimal number as people write coordinates: a sign, digits, a point, digits (at least
// one digit). Nothing else: no exponent, no "nan" or "inf", no thousands separators.
std::optional<double> decimalOf(QStringView text) {
    constexpr qsizetype longest = 40;
    text = TrimBlanks(text);
    if (text.isEmpty() || text.size() > longest)
        return std::nullopt;
    char ascii[longest + 1];
    qsizetype digits = 0;
    qsizetype points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128)
            ++digits;
        else if (c == u'.')
            ++points;
        else if (!((c == u'-' || c == u'+') && i == 0))
            return std::nullopt;
        ascii[i] = char(c.unicode());
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    const char* first = ascii + (ascii[0] == '+' ? 1 : 0);
    double value = 0;
    std::from_chars(first, ascii + text.size(), value);
    return value;
}

QString outOfRange(const char* what, QStringView text, int bound) {
    return QStringLiteral("the %1 %2 is out of range (-%3 to %3)")
        .arg(QLatin1String(what), TrimBlanks(text).toString())
        .arg(bound);
}

} // namespace

double GreatCircle::milesBetween(GeoPoint a, GeoPoint b) {
    const double dLat = radians(b.latitude - a.latitude);
    const double dLon = radians(b.longitude - a.longitude);
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(radians(a.latitude)) * std::cos(radians(b.latitude)) *
                         std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * earthRadiusMiles * std::asin(std::min(1.0, std::sqrt(h)));
}

std::optional<PointEntry> PointEntry::ofLine(QStringView line) {
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0 || !decimalOf(line.first(comma)) || !decimalOf(line.sliced(comma + 1)))
        return std::nullopt;
    return ofFields(line.first(comma), line.sliced(comma + 1));
}

PointEntry PointEntry::ofFields(QStringView latitude, QStringView longitude) {
    const std::optional<double> lat = decimalOf(latitude);
    const std::optional<double> lon = decimalOf(longitude);
    PointEntry entry;
    if (TrimBlanks(latitude).isEmpty() || TrimBlanks(longitude).isEmpty())
        entry.problem = QStringLiteral("the %1 is missing")
                            .arg(TrimBlanks(latitude).isEmpty() ? QStringLiteral("latitude")
                                                                : QStringLiteral("longitude"));
    else if (!lat)
        entry.problem = QStringLiteral("the latitude \"%1\" is not a number of degrees")
                            .arg(TrimBlanks(latitude).toString());
    else if (!lon)
        entry.problem = QStringLiteral("the longitude \"%1\" is not a number of degrees")
                            .arg(TrimBlanks(longitude).toString());
    else if (std::abs(*lat) > 90)
        entry.problem = outOfRange("latitude", latitude, 90);
    else if (std::abs(*lon) > 180)
        entry.problem = outOfRange("longitude", longitude, 180);
    else
        entry.point = {*lat, *lon};
    return entry;
}
