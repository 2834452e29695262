#include "cli/WithinRun.h"

void WithinRun::start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                      LooseNames* loose) {
    database.preparePoints();
    nearby_.emplace(database, options_.withinMiles);
    rows_.emplace(
        database, makeRow, options_.loose ? loose : nullptr,
        [this](std::span<const int> centres) -> const std::vector<NearZip>& {
            return nearby_->around(centres);
        },
        [this](GeoPoint centre) -> const std::vector<NearZip>& { return nearby_->around(centre); });
}
