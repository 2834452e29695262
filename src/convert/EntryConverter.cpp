#include "convert/EntryConverter.h"

#include "convert/LooseNames.h"

EntryConverter::EntryConverter(ZipDatabase& database, RowMaker makeRow, LooseNames* loose,
                               ZipPlusFour zipPlusFour)
    : database_(database)
    , makeRow_(std::move(makeRow))
    , loose_(loose)
    , zipPlusFour_(zipPlusFour) {}

std::span<const EntryConverter::TextId> EntryConverter::convert(QStringView entry) {
    if (zipPlusFour_ == ZipPlusFour::Read)
        if (const QStringView zip = ZipOfZipPlusFour(entry); !zip.isEmpty())
            entry = zip;
    const LookupKeys keys = ClassifyEntry(entry, numeric_);
    if (keys.kind == EntryKind::None || !couldMatch(keys))
        return {};
    if (const auto cached = cache_.find(keys))
        return *cached;
    rowIds_.clear();
    lookUp(keys);
    cache_.store(keys, rowIds_); // a failed lookup is not remembered: it is tried again
    return rowIds_;
}

void EntryConverter::lookUp(const LookupKeys& keys) {
    const auto onRow = [&](const ZipRow& row) { rowIds_.push_back(makeRow_(row)); };
    if (keys.kind == EntryKind::Zip) {
        database_.lookupZip(keys.zip, onRow);
        return;
    }
    database_.lookupCityState(keys.city, keys.state, onRow);
    if (!rowIds_.empty() || !loose_)
        return;
    for (const LooseNames::Name& place : loose_->matches(keys.city, keys.state))
        database_.lookupCityState(place.city, place.state, onRow);
}

QString EntryConverter::convertKeeping(QStringView entry,
                                       const std::function<void(std::span<const TextId>)>& keep) {
    try {
        keep(convert(entry));
        return {};
    } catch (const DatabaseFault&) {
        keep(rowsBeforeFailure());
        throw;
    } catch (const AppError& failure) {
        keep(rowsBeforeFailure());
        if (toldFailures_.contains(failure.description()))
            return {};
        toldFailures_.insert(failure.description());
        return failure.description();
    }
}

QStringList EntryConverter::suggestions(QStringView entry) {
    const LookupKeys keys = ClassifyEntry(entry, numeric_);
    if (!loose_ || keys.kind != EntryKind::CityState || !couldMatch(keys))
        return {};
    return loose_->suggestions(keys.city, keys.state);
}

// No zip code, city or state runs to a thousand characters: a longer key matches nothing,
// and a megabyte of text need not travel to the database to learn that.
bool EntryConverter::couldMatch(const LookupKeys& keys) {
    constexpr qsizetype maxKeyLength = 1000;
    return keys.zip.size() <= maxKeyLength && keys.city.size() <= maxKeyLength &&
           keys.state.size() <= maxKeyLength;
}
