#pragma once
// --nearest N: the rows of the N zips nearest the entry's centres (its zips' points, or the
// point it names), nearest first, each with its distance; with --within MILES, only those
// within the distance.

#include "cli/CentredRun.h"
#include "convert/NearestZips.h"

class NearestRun : public CentredRun {
public:
    using CentredRun::CentredRun;

protected:
    void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
               LooseNames* loose) override;
    std::function<const std::vector<NearZip>&(GeoPoint)> searchAside() override;

private:
    double reach() const; // --within, else any distance
    ZipDatabase* database_ = nullptr;
    std::optional<NearestZips> aside_; // the second thread's
    std::optional<NearestZips> nearest_;
};
