#pragma once
// The rows of one entry after another, as "Start Converting" finds them: the entry read
// into lookup keys, answered from the run's cache when the same keys came before, else
// looked up in the database and each row made once. Shared by the window's run and the
// command-line converter; one converter serves one run (one database, one save option).

#include "convert/EntryRules.h"
#include "convert/ResultCache.h"
#include "convert/ZipDatabase.h"

#include <QLocale>

#include <functional>
#include <span>
#include <vector>

class EntryConverter {
public:
    using TextId = ResultCache::TextId;
    // Makes (or finds) the row for the fields of one database row; its id is what the
    // converter hands back.
    using RowMaker = std::function<TextId(const ZipRow& row)>;

    EntryConverter(ZipDatabase& database, RowMaker makeRow);

    // The rows of the entry: none when it is neither a zip code nor a city and state, or
    // when nothing matches. Throws what the lookup throws (DatabaseFault, AppError);
    // rowsBeforeFailure() then holds the rows the query gave before it failed.
    std::span<const TextId> convert(QStringView entry);
    std::span<const TextId> rowsBeforeFailure() const { return rowIds_; }

private:
    static bool couldMatch(const LookupKeys& keys);

    ZipDatabase& database_;
    RowMaker makeRow_;
    NumericText numeric_;
    ResultCache cache_;
    std::vector<TextId> rowIds_;
};
