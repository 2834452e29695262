#include "cli/PlainRun.h"

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
            *database_, makeRow_, nullptr,
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
