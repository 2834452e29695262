#include "convert/WithinDistance.h"

#include <algorithm>
#include <cmath>

WithinDistance::WithinDistance(ZipDatabase& database, double miles,
                               EntryConverter::RowMaker makeRow, LooseNames* loose)
    : database_(database)
    , centres_(
          database, [](const ZipRow& row) { return TextId(row[ZipField::Zip].toUInt()); }, loose,
          EntryConverter::ZipPlusFour::Read)
    , nearby_(database, miles)
    , makeRow_(std::move(makeRow))
    , rowOfZip_(NearbyZips::zipCount, noRow) {}

WithinDistance::Result WithinDistance::rowsNear(QStringView entry) {
    Result result;
    zips_.clear();
    result.failure = centres_.convertKeeping(
        entry, [&](std::span<const TextId> found) { zips_.assign(found.begin(), found.end()); });
    if (zips_.empty())
        return result;
    std::ranges::sort(zips_);
    zips_.erase(std::unique(zips_.begin(), zips_.end()), zips_.end());
    const QByteArray key(reinterpret_cast<const char*>(zips_.data()),
                         qsizetype(zips_.size() * sizeof(int)));
    auto kept = keptByCentres_.constFind(key);
    if (kept == keptByCentres_.constEnd()) {
        if (kept_.size() > maxKeptRows) {
            kept_.clear();
            keptByCentres_.clear();
        }
        kept = keptByCentres_.insert(key, search(zips_));
    }
    result.rows = std::span(kept_).subspan(kept->first, kept->count);
    if (result.rows.empty())
        result.noPoint = zips_.size() == 1
                             ? QStringLiteral("the zip data has no point for %1")
                                   .arg(QString::asprintf("%05d", zips_.front()))
                             : QStringLiteral("the zip data has no point for any of its %1 zips")
                                   .arg(zips_.size());
    return result;
}

WithinDistance::Kept WithinDistance::search(std::span<const int> zips) {
    const Kept kept{kept_.size(), 0};
    for (const NearbyZips::Near& near : nearby_.around(zips))
        if (const TextId row = rowOf(near.zip); row != noRow)
            kept_.push_back({row, std::uint32_t(std::lround(near.miles * 10))});
    return {kept.first, kept_.size() - kept.first};
}

WithinDistance::TextId WithinDistance::rowOf(int zip) {
    TextId& row = rowOfZip_[std::size_t(zip)];
    if (row == noRow) {
        bool first = true;
        database_.lookupZipInTableOrder(zip, [&](const ZipRow& found) {
            if (std::exchange(first, false))
                row = makeRow_(found);
        });
    }
    return row;
}
