#pragma once
// The rows of each entry as "Start Converting" finds them (ZIP+4 read as its zip, names read
// loosely with --loose); a point's row is that of its nearest zip, with the distance.

#include "cli/ConvertRun.h"
#include "convert/CentredRows.h"
#include "convert/NamedPlaces.h"
#include "convert/NearestZips.h"

class PlainRun : public ConvertRun {
public:
    using ConvertRun::ConvertRun;

protected:
    void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
               LooseNames* loose) override;
    EntryAnswer answer(QStringView entry) override;
    EntryAnswer answer(GeoPoint point) override;
    QStringList suggestions(QStringView entry) override;
    std::function<const std::vector<NearZip>&(GeoPoint)> searchAside() override;
    EntryAnswer rowsNear(std::span<const NearZip> near) override;

private:
    CentredRows& pointRows();
    // For a "City, ST" that is a place the zip data does not name: so, and its nearest zips.
    QString unnamedPlaceNote(QStringView entry);

    ZipDatabase* database_ = nullptr;
    EntryConverter::RowMaker makeRow_;
    std::optional<EntryConverter> converter_;
    // Made for the first point: a run without one never loads the zips' points.
    std::optional<NearestZips> nearest_;
    std::optional<CentredRows> points_;
    std::optional<NearestZips> aside_; // the second thread's
    std::optional<NamedPlaces> places_;
    std::optional<NearestZips> nearestToPlaces_;
};
