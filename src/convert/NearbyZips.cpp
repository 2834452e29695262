#include "convert/NearbyZips.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double degrees = 180.0 / std::numbers::pi;
// Beyond the rounding of the R*Tree's 32-bit corners, which it rounds outwards anyway.
constexpr double boxMargin = 1e-6;

double radians(double angle) {
    return angle / degrees;
}

} // namespace

NearbyZips::NearbyZips(ZipDatabase& database, double miles)
    : database_(database)
    , miles_(miles)
    , aroundZip_(zipCount)
    , searched_(zipCount, false)
    , nearest_(zipCount, -1.0) {}

// The points within the angle d of a centre at latitude p lie within d of latitude, and
// within asin(sin d / cos p) of longitude (the widest a circle of that radius reaches),
// unless the circle holds a pole: then every longitude.
std::vector<GeoBox> NearbyZips::boxesAround(GeoPoint centre, double miles) {
    const double angle = miles / GreatCircle::earthRadiusMiles;
    const double south = centre.latitude - angle * degrees - boxMargin;
    const double north = centre.latitude + angle * degrees + boxMargin;
    const double reach = std::sin(angle) / std::cos(radians(centre.latitude));
    if (south <= -90 || north >= 90 || reach >= 1)
        return {{south, north, -180, 180}};
    const double halfWidth = std::asin(reach) * degrees + boxMargin;
    const double west = centre.longitude - halfWidth;
    const double east = centre.longitude + halfWidth;
    if (west < -180)
        return {{south, north, -180, east}, {south, north, west + 360, 180}};
    if (east > 180)
        return {{south, north, west, 180}, {south, north, -180, east - 360}};
    return {{south, north, west, east}};
}

void NearbyZips::addNear(int zip, double miles) {
    if (zip < 0 || zip >= zipCount)
        return;
    double& nearest = nearest_[std::size_t(zip)];
    if (nearest < 0)
        found_.push_back({zip, miles});
    if (nearest < 0 || miles < nearest)
        nearest = miles;
}

void NearbyZips::sortFound() {
    for (NearZip& near : found_)
        near.miles = nearest_[std::size_t(near.zip)];
    for (const NearZip& near : found_)
        nearest_[std::size_t(near.zip)] = -1.0;
    std::ranges::sort(found_, nearerThan);
}

void NearbyZips::search(GeoPoint centre) {
    found_.clear();
    for (const GeoBox& box : boxesAround(centre, miles_))
        database_.forEachPointIn(box, [&](int other, GeoPoint point) {
            if (const double miles = GreatCircle::milesBetween(centre, point); miles <= miles_)
                addNear(other, miles);
        });
    sortFound();
}

const std::vector<NearZip>& NearbyZips::aroundZip(int zip) {
    std::vector<NearZip>& near = aroundZip_[std::size_t(zip)];
    if (searched_[std::size_t(zip)])
        return near;
    if (const std::optional<GeoPoint> centre = database_.pointOf(zip))
        search(*centre);
    else
        found_.clear();
    near = found_;
    near.shrink_to_fit();
    searched_[std::size_t(zip)] = true;
    return near;
}

const std::vector<NearZip>& NearbyZips::around(GeoPoint centre) {
    search(centre);
    return found_;
}

const std::vector<NearZip>& NearbyZips::around(std::span<const int> centres) {
    const auto isZip = [](int centre) { return centre >= 0 && centre < zipCount; };
    if (centres.size() == 1 && isZip(centres.front()))
        return aroundZip(centres.front());
    merged_.clear();
    for (int centre : centres)
        if (isZip(centre))
            merged_.insert(merged_.end(), aroundZip(centre).begin(), aroundZip(centre).end());
    found_.clear();
    for (const NearZip& near : merged_)
        addNear(near.zip, near.miles);
    sortFound();
    return found_;
}
