#include "cli/WithinRun.h"

void WithinRun::start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                      LooseNames* loose) {
    database.preparePoints();
    nearby_.emplace(database, options_.withinMiles);
    centreOn(
        database, makeRow, loose,
        [this](std::span<const int> centres) -> const std::vector<NearZip>& {
            return nearby_->around(centres);
        },
        [this](GeoPoint centre) -> const std::vector<NearZip>& { return nearby_->around(centre); });
}
