#pragma once
// --within MILES: the rows of every zip within the distance of the entry's centres (its
// zips' points, or the point it names), nearest first, each with its distance.

#include "cli/ConvertRun.h"
#include "convert/CentredRows.h"
#include "convert/NearbyZips.h"

class WithinRun : public ConvertRun {
public:
    using ConvertRun::ConvertRun;

protected:
    std::vector<ZipField> neededFields() const override { return {ZipField::Zip}; }
    void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
               LooseNames* loose) override;
    EntryAnswer answer(QStringView entry) override { return rows_->rowsOf(entry); }
    EntryAnswer answer(GeoPoint point) override { return rows_->rowsOf(point); }
    QStringList suggestions(QStringView entry) override { return rows_->suggestions(entry); }

private:
    std::optional<NearbyZips> nearby_;
    std::optional<NamedPlaces> places_; // declared before rows_, which keeps a pointer to it
    std::optional<CentredRows> rows_;
};
