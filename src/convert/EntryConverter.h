#pragma once
// The rows of one entry after another, as "Start Converting" finds them: the entry read
// into lookup keys, answered from the run's cache when the same keys came before, else
// looked up in the database and each row made once. Shared by the window's run and the
// command-line converter; one converter serves one run (one database, one save option).

#include "convert/EntryRules.h"
#include "convert/ResultCache.h"
#include "convert/ZipDatabase.h"

#include <QLocale>
#include <QSet>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

class LooseNames;

class EntryConverter {
public:
    using TextId = ResultCache::TextId;
    // Makes (or finds) the row for the fields of one database row; its id is what the
    // converter hands back.
    using RowMaker = std::function<TextId(const ZipRow& row)>;
    // Read: a ZIP+4 code ("03053-1234", "030531234") is looked up as its zip (the
    // converter); Ignored: it matches nothing (the window's rules).
    enum class ZipPlusFour { Ignored, Read };

    // loose: when given, a city and state that the table does not have as written is
    // tried in its loose form, which finds "ST. LOUIS, MO" as SAINT LOUIS; without it, the
    // window's rules exactly.
    EntryConverter(ZipDatabase& database, RowMaker makeRow, LooseNames* loose = nullptr,
                   ZipPlusFour zipPlusFour = ZipPlusFour::Ignored);

    // The rows of the entry: none when it is neither a zip code nor a city and state, or
    // when nothing matches. Throws what the lookup throws (DatabaseFault, AppError);
    // rowsBeforeFailure() then holds the rows the query gave before it failed.
    std::span<const TextId> convert(QStringView entry);
    std::span<const TextId> rowsBeforeFailure() const { return rowIds_; }
    // The rule of a run for a lookup that fails, the window's and the converter's alike:
    // the entry's rows go to keep, also those a failing query gave before it failed; a
    // fault of the database file is rethrown once they are kept, for no later lookup can
    // succeed; any other failure is returned the first time its message comes in this
    // run, and passed over quietly after. Empty: nothing new to tell.
    QString convertKeeping(QStringView entry,
                           const std::function<void(std::span<const TextId>)>& keep);
    // For a city and state that found nothing, with loose names: the nearest places of its
    // state ("SAINT LOUIS, MO"), at most three. Otherwise none.
    QStringList suggestions(QStringView entry);

private:
    static bool couldMatch(const LookupKeys& keys);
    void lookUp(const LookupKeys& keys);

    ZipDatabase& database_;
    RowMaker makeRow_;
    LooseNames* loose_;
    ZipPlusFour zipPlusFour_;
    NumericText numeric_;
    ResultCache cache_;
    std::vector<TextId> rowIds_;
    QSet<QString> toldFailures_;
};
