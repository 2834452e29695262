#include "convert/NamedPlaces.h"

#include "convert/EntryRules.h"
#include "convert/ZipDatabase.h"

NamedPlaces::NamedPlaces(ZipDatabase& database, bool loose)
    : database_(database) {
    if (loose && database.hasPlaces())
        loose_.emplace(database, LooseNames::Of::Places);
}

std::optional<GeoPoint> NamedPlaces::pointOf(QStringView entry) {
    const LookupKeys keys = ClassifyEntry(entry, numeric_);
    if (keys.kind != EntryKind::CityState)
        return std::nullopt;
    return pointOf(keys.city, keys.state);
}

std::optional<GeoPoint> NamedPlaces::pointOf(QStringView city, QStringView state) {
    constexpr qsizetype longest = 1000; // no place's name runs to a thousand characters
    if (!database_.hasPlaces() || city.isEmpty() || city.size() > longest || state.size() > longest)
        return std::nullopt;
    const QString key = city.toString().toUpper() + u'\n' + state.toString().toUpper();
    if (const auto known = known_.constFind(key); known != known_.constEnd())
        return *known;
    if (known_.size() >= maxRemembered)
        known_.clear();
    return *known_.insert(key, lookUp(city, state));
}

std::optional<GeoPoint> NamedPlaces::lookUp(QStringView city, QStringView state) {
    std::optional<GeoPoint> found;
    const auto first = [&found](int, GeoPoint point) {
        if (!found)
            found = point;
    };
    database_.lookupPlace(city, state, first);
    if (!found && loose_)
        for (const LooseNames::Name& name : loose_->matches(city, state))
            database_.lookupPlace(name.city, name.state, first);
    return found;
}
