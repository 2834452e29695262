#include "cli/CentredRun.h"

void CentredRun::centreOn(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                          LooseNames* loose, CentredRows::Search search,
                          CentredRows::PointSearch searchPoint) {
    places_.emplace(database, options_.loose);
    rows_.emplace(database, makeRow, options_.loose ? loose : nullptr, &*places_, std::move(search),
                  std::move(searchPoint));
}
