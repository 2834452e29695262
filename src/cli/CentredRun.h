#pragma once
// The modes whose rows lie around the entry's centres (--within, --nearest): the rows of an
// entry, of a point and of a second thread's finds, the places the zip data does not name
// and the loose names are theirs alike; a mode gives its two searches, around centre zips
// and around a point.

#include "cli/ConvertRun.h"
#include "convert/CentredRows.h"
#include "convert/NamedPlaces.h"

#include <optional>

class CentredRun : public ConvertRun {
public:
    using ConvertRun::ConvertRun;

protected:
    std::vector<ZipField> neededFields() const override { return {ZipField::Zip}; }
    EntryAnswer answer(QStringView entry) override { return rows_->rowsOf(entry); }
    EntryAnswer answer(GeoPoint point) override { return rows_->rowsOf(point); }
    QStringList suggestions(QStringView entry) override { return rows_->suggestions(entry); }
    EntryAnswer rowsNear(std::span<const NearZip> near) override { return rows_->rowsOf(near); }

    // Called from the mode's start, its searches made: the rows around what they find.
    void centreOn(ZipDatabase& database, const EntryConverter::RowMaker& makeRow, LooseNames* loose,
                  CentredRows::Search search, CentredRows::PointSearch searchPoint);

private:
    std::optional<NamedPlaces> places_; // declared before rows_, which keeps a pointer to it
    std::optional<CentredRows> rows_;
};
