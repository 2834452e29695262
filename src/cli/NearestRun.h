#pragma once
// --nearest N: the rows of the N zips nearest the entry's centres (its zips' points, or the
// point it names), nearest first, each with its distance; with --within MILES, only those
// within the distance.

#include "cli/ConvertRun.h"
#include "convert/CentredRows.h"
#include "convert/NearestZips.h"

class NearestRun : public ConvertRun {
public:
    using ConvertRun::ConvertRun;

protected:
    std::vector<ZipField> neededFields() const override { return {ZipField::Zip}; }
    void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
               LooseNames* loose) override;
    EntryAnswer answer(QStringView entry) override { return rows_->rowsOf(entry); }
    EntryAnswer answer(GeoPoint point) override { return rows_->rowsOf(point); }
    QStringList suggestions(QStringView entry) override { return rows_->suggestions(entry); }
    std::function<const std::vector<NearZip>&(GeoPoint)> searchAside() override;
    EntryAnswer rowsNear(std::span<const NearZip> near) override { return rows_->rowsOf(near); }

private:
    double reach() const; // --within, else any distance
    ZipDatabase* database_ = nullptr;
    std::optional<NearestZips> aside_; // the second thread's
    std::optional<NearestZips> nearest_;
    std::optional<NamedPlaces> places_; // declared before rows_, which keeps a pointer to it
    std::optional<CentredRows> rows_;
};
