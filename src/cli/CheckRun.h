#pragma once
// --check: every record of a table once, with the verdict on whether its city, state and
// zip agree and the zip's own city and state appended; the summary counts each verdict.

#include "cli/ConvertRun.h"
#include "convert/AddressCheck.h"

#include <array>

class CheckRun : public ConvertRun {
public:
    using ConvertRun::ConvertRun;

protected:
    bool needsLooseNames() const override { return true; }
    void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
               LooseNames* loose) override;
    // A check reads a table's columns, never a list's entries.
    EntryAnswer answer(QStringView) override { return {}; }
    EntryAnswer answer(GeoPoint) override { return {}; }
    QStringList suggestions(QStringView) override { return {}; }
    void takeRecord(const TableRecord& record, const TableEntries& entries, QStringView entry,
                    const QString& name) override;
    void reportSummary() const override;

private:
    std::optional<AddressCheck> check_;
    std::array<std::int64_t, AddressCheck::verdictNames.size()> verdicts_{}; // records by Verdict
};
