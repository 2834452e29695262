#include "convert/CentredRows.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// A centre's row is its zip's number; a lookup that did not fetch the zip has none to give,
// and a search from zip 0 would answer wrongly.
EntryConverter::TextId zipNumberOf(const ZipRow& row) {
    const QStringView zip = row[ZipField::Zip];
    if (zip.isEmpty())
        throw std::logic_error("the lookups do not fetch the zip that a search by distance "
                               "starts from");
    return EntryConverter::TextId(zip.toUInt());
}

} // namespace

CentredRows::CentredRows(ZipDatabase& database, EntryConverter::RowMaker makeRow, LooseNames* loose,
                         NamedPlaces* places, Search search, PointSearch searchPoint)
    : centres_(database, zipNumberOf, loose, EntryConverter::ZipPlusFour::Read)
    , places_(places)
    , rows_(database, std::move(makeRow))
    , search_(std::move(search))
    , searchPoint_(std::move(searchPoint)) {}

EntryAnswer CentredRows::rowsOf(QStringView entry) {
    EntryAnswer answer;
    zips_.clear();
    answer.failure = centres_.convertKeeping(
        entry, [&](std::span<const TextId> found) { zips_.assign(found.begin(), found.end()); });
    if (zips_.empty())
        return answer.failure.isEmpty() && places_ ? rowsOfPlace(entry) : answer;
    std::ranges::sort(zips_);
    zips_.erase(std::unique(zips_.begin(), zips_.end()), zips_.end());
    const QByteArray key(reinterpret_cast<const char*>(zips_.data()),
                         qsizetype(zips_.size() * sizeof(int)));
    auto kept = keptByCentres_.constFind(key);
    if (kept == keptByCentres_.constEnd()) {
        forgetIfFull();
        kept = keptByCentres_.insert(key, keep(search_(zips_)));
    }
    answer.rows = rowsOf(*kept);
    if (answer.rows.ids.empty())
        answer.reason = zips_.size() == 1
                            ? QStringLiteral("the zip data has no point for %1")
                                  .arg(QString::asprintf("%05d", zips_.front()))
                            : QStringLiteral("the zip data has no point for any of its %1 zips")
                                  .arg(zips_.size());
    return answer;
}

void CentredRows::forgetIfFull() {
    if (keptIds_.size() <= maxKeptRows)
        return;
    keptIds_.clear();
    keptTenths_.clear();
    keptByCentres_.clear();
    keptByPlace_.clear();
}

// A "City, ST" the zip data does not name: the point of the place, if it is one, is the
// centre.
EntryAnswer CentredRows::rowsOfPlace(QStringView entry) {
    EntryAnswer answer;
    const QString key = entry.toString();
    auto kept = keptByPlace_.constFind(key);
    if (kept == keptByPlace_.constEnd()) {
        const std::optional<GeoPoint> point = places_->pointOf(entry);
        if (!point)
            return answer;
        forgetIfFull();
        kept = keptByPlace_.insert(key, keep(searchPoint_(*point)));
    }
    answer.rows = rowsOf(*kept);
    if (answer.rows.ids.empty())
        answer.reason = QStringLiteral("no zip within the distance");
    return answer;
}

// A point is seldom given twice: its rows are kept until the next entry only.
EntryAnswer CentredRows::rowsOf(GeoPoint centre) {
    return rowsOf(searchPoint_(centre));
}

EntryAnswer CentredRows::rowsOf(std::span<const NearZip> near) {
    pointIds_.clear();
    pointTenths_.clear();
    for (const NearZip& zip : near)
        add(zip, pointIds_, pointTenths_);
    EntryAnswer answer;
    answer.rows = {pointIds_, pointTenths_};
    if (pointIds_.empty())
        answer.reason = QStringLiteral("no zip within the distance");
    return answer;
}

void CentredRows::add(const NearZip& zip, std::vector<TextId>& ids,
                      std::vector<std::uint32_t>& tenths) {
    if (const TextId row = rows_.rowOf(zip.zip); row != ZipFirstRows::noRow) {
        ids.push_back(row);
        tenths.push_back(std::uint32_t(std::lround(zip.miles * 10)));
    }
}

CentredRows::Kept CentredRows::keep(const std::vector<NearZip>& near) {
    const std::size_t first = keptIds_.size();
    for (const NearZip& zip : near)
        add(zip, keptIds_, keptTenths_);
    return {first, keptIds_.size() - first};
}

FoundRows CentredRows::rowsOf(const Kept& kept) const {
    return {std::span(keptIds_).subspan(kept.first, kept.count),
            std::span(keptTenths_).subspan(kept.first, kept.count)};
}
