#include "cli/NearestRun.h"

#include <limits>

void NearestRun::start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                       LooseNames* loose) {
    database_ = &database;
    database.preparePoints();
    nearest_.emplace(database, options_.nearest, reach());
    centreOn(
        database, makeRow, loose,
        [this](std::span<const int> centres) -> const std::vector<NearZip>& {
            return nearest_->around(centres);
        },
        [this](GeoPoint centre) -> const std::vector<NearZip>& {
            return nearest_->nearest(centre);
        });
}

double NearestRun::reach() const {
    return options_.withinMiles > 0 ? options_.withinMiles
                                    : std::numeric_limits<double>::infinity();
}

std::function<const std::vector<NearZip>&(GeoPoint)> NearestRun::searchAside() {
    aside_.emplace(*database_, options_.nearest, reach());
    return [this](GeoPoint point) -> const std::vector<NearZip>& { return aside_->nearest(point); };
}
