#include "cli/CheckRun.h"

#include "cli/TableEntries.h"
#include "cli/TableWriter.h"
#include "core/Counted.h"
#include "core/TextRules.h"

#include <cstdio>

void CheckRun::start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                     LooseNames* loose) {
    check_.emplace(database, *loose, makeRow);
}

void CheckRun::takeRecord(const TableRecord& record, const TableEntries& entries, QStringView entry,
                          const QString&) {
    ++read_;
    // The zip as the entry column reads it (a zip that lost its leading zeros has them),
    // unless there is none: an empty field would be read as zeros.
    const TableEntries::Address address = entries.addressOf(record);
    const AddressCheck::Result checked = check_->check(
        TrimBlanks(address.zip).isEmpty() ? QStringView() : entry, address.city, address.state);
    ++verdicts_[std::size_t(checked.verdict)];
    table()->writeChecked(record, checked);
}

// "quellist-convert: 8 records checked: 3 ok, 1 loose, ...": every verdict, also those
// that no record had.
void CheckRun::reportSummary() const {
    if (options_.quiet)
        return;
    QStringList verdicts;
    for (std::size_t i = 0; i < verdicts_.size(); ++i)
        verdicts << QStringLiteral("%L1 %2")
                        .arg(verdicts_[i])
                        .arg(QLatin1String(AddressCheck::verdictNames[i]));
    std::fprintf(stderr, "%s\n",
                 QStringLiteral("quellist-convert: %1 checked: %2")
                     .arg(Counted(read_, "record", "records"))
                     .arg(verdicts.join(QStringLiteral(", ")))
                     .toLocal8Bit()
                     .constData());
}
