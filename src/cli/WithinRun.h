#pragma once
// --within MILES: the rows of every zip within the distance of the entry's centres (its
// zips' points, or the point it names), nearest first, each with its distance.

#include "cli/CentredRun.h"
#include "convert/NearbyZips.h"

class WithinRun : public CentredRun {
public:
    using CentredRun::CentredRun;

protected:
    void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
               LooseNames* loose) override;

private:
    std::optional<NearbyZips> nearby_;
};
