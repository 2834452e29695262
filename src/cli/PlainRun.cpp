#include "cli/PlainRun.h"

#include <cmath>
#include <limits>

void PlainRun::start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                     LooseNames* loose) {
    database_ = &database;
    makeRow_ = makeRow;
    converter_.emplace(database, makeRow, options_.loose ? loose : nullptr,
                       EntryConverter::ZipPlusFour::Read);
}

EntryAnswer PlainRun::answer(QStringView entry) {
    EntryAnswer answer;
    answer.failure = converter_->convertKeeping(
        entry, [&](std::span<const EntryConverter::TextId> found) { answer.rows.ids = found; });
    return answer;
}

CentredRows& PlainRun::pointRows() {
    if (!points_) {
        database_->preparePoints();
        nearest_.emplace(*database_, 1, std::numeric_limits<double>::infinity());
        points_.emplace(
            *database_, makeRow_, nullptr, nullptr,
            [this](std::span<const int> centres) -> const std::vector<NearZip>& {
                return nearest_->around(centres);
            },
            [this](GeoPoint centre) -> const std::vector<NearZip>& {
                return nearest_->nearest(centre);
            });
    }
    return *points_;
}

EntryAnswer PlainRun::answer(GeoPoint point) {
    return pointRows().rowsOf(point);
}

std::function<const std::vector<NearZip>&(GeoPoint)> PlainRun::searchAside() {
    pointRows();
    aside_.emplace(*database_, 1, std::numeric_limits<double>::infinity());
    return [this](GeoPoint point) -> const std::vector<NearZip>& { return aside_->nearest(point); };
}

EntryAnswer PlainRun::rowsNear(std::span<const NearZip> near) {
    return pointRows().rowsOf(near);
}

QStringList PlainRun::suggestions(QStringView entry) {
    if (const QString note = unnamedPlaceNote(entry); !note.isEmpty())
        return {note};
    return converter_->suggestions(entry);
}

// "a place the zip data does not name; nearest zips: 55420 MINNEAPOLIS 0.8 mi; ..."
QString PlainRun::unnamedPlaceNote(QStringView entry) {
    constexpr int named = 3;
    if (!database_->hasPlaces())
        return {};
    if (!places_)
        places_.emplace(*database_, options_.loose);
    const std::optional<GeoPoint> point = places_->pointOf(entry);
    if (!point)
        return {};
    if (!nearestToPlaces_) {
        database_->preparePoints();
        nearestToPlaces_.emplace(*database_, named, std::numeric_limits<double>::infinity());
    }
    QStringList zips;
    for (const NearZip& near : nearestToPlaces_->nearest(*point)) {
        const long tenths = std::lround(near.miles * 10);
        zips << QStringLiteral("%1 %2 %3.%4 mi")
                    .arg(near.zip, 5, 10, QLatin1Char('0'))
                    .arg(database_->firstCityOf(near.zip))
                    .arg(tenths / 10)
                    .arg(tenths % 10);
    }
    return QStringLiteral("a place the zip data does not name; nearest zips: ") +
           zips.join(QStringLiteral("; "));
}
