#include "cli/ConvertCommand.h"

#include "cli/BufferedOutput.h"
#include "cli/ConsoleMessage.h"
#include "cli/ProgressLine.h"
#include "cli/RowWriter.h"
#include "cli/TableEntries.h"
#include "cli/TableWriter.h"
#include "convert/AddressCheck.h"
#include "convert/EntryConverter.h"
#include "convert/LooseNames.h"
#include "convert/SaveOption.h"
#include "convert/ZipDatabase.h"
#include "core/TextRules.h"
#include "entries/ListFileStream.h"

#include <QFile>

#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

ConvertCommand::ConvertCommand(const ConvertOptions& options)
    : options_(options) {}

int ConvertCommand::run() {
    try {
        return convertAll();
    } catch (const OutputFailure& failure) {
        if (failure.brokenPipe)
            return ExitStatus::done; // the reader has all it wanted
        ConsoleMessage::say(failure.description());
        return ExitStatus::file;
    } catch (const DatabaseFault& failure) {
        ConsoleMessage::say(failure.description());
        return ExitStatus::database;
    } catch (const AppError& failure) {
        ConsoleMessage::say(failure.description());
        return ExitStatus::file;
    }
}

// The outputs live in this call only: when it ends early, by a failure or by a failed
// input, they go unfinished, and an old output file stays as it was.
int ConvertCommand::convertAll() {
    ZipDatabase database(options_.database);
    database.prepare(options_.fetchedFields());
    ProgressLine progress(!options_.quiet && isatty(STDERR_FILENO));
    std::unique_ptr<RowWriter> lines;
    std::unique_ptr<TableWriter> table;
    if (options_.table.enabled())
        table = std::make_unique<TableWriter>(options_);
    else
        lines = RowWriter::make(options_);
    std::unique_ptr<BufferedOutput> unmatched;
    if (!options_.unmatched.isEmpty())
        unmatched = std::make_unique<BufferedOutput>(options_.unmatched);
    std::optional<LooseNames> loose;
    if (options_.loose || options_.check)
        loose.emplace(database);
    const EntryConverter::RowMaker makeRow = [&](const ZipRow& row) {
        return table ? table->makeRow(row) : lines->makeRow(row);
    };
    EntryConverter converter(database, makeRow, options_.loose ? &*loose : nullptr,
                             EntryConverter::ZipPlusFour::Read);
    std::optional<WithinDistance> within;
    if (options_.withinMiles > 0) {
        database.preparePoints();
        within.emplace(database, options_.withinMiles, makeRow, options_.loose ? &*loose : nullptr);
    }
    std::optional<AddressCheck> check;
    if (options_.check)
        check.emplace(database, *loose, makeRow);
    const Sinks sinks{converter,
                      within ? &*within : nullptr,
                      check ? &*check : nullptr,
                      lines.get(),
                      table.get(),
                      unmatched.get()};
    for (const QString& input : options_.inputs)
        convertInput(input, sinks, progress);
    progress.clear();
    if (lines)
        counts_.leftOut = lines->rowsLeftOut();
    if (!fileFailed_ && !usageFailed_) {
        if (table)
            table->finish();
        else
            lines->finish();
        if (unmatched)
            unmatched->commit();
    }
    reportSummary();
    return finalStatus();
}

void ConvertCommand::convertInput(const QString& input, const Sinks& sinks,
                                  ProgressLine& progress) {
    const bool standardInput = input == QStringLiteral("-");
    const QString name = standardInput ? QStringLiteral("standard input") : input;
    QFile file(input);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        ConsoleMessage::say(QStringLiteral("Cannot read %1: %2").arg(name, file.errorString()));
        fileFailed_ = true;
        return;
    }
    std::int64_t line = 0; // of a list; a table's records know their own
    ListFileStream stream({LineEnds::Any, maxEntryChars},
                          [&](QStringView start) { skipEntry(start, name, ++line, sinks); });
    const auto onProgress = [&](qint64 done, qint64 size) {
        progress.update(counts_.read, done, size);
    };
    const auto addEntry = [&](QStringView entry) { this->addEntry(entry, name, ++line, sinks); };
    ListFileStream::Outcome outcome{};
    try {
        outcome = sinks.table ? readTable(stream, file, input, name, sinks, onProgress)
                              : stream.read(file, addEntry, onProgress);
    } catch (const TableFault& fault) {
        ConsoleMessage::say(QStringLiteral("%1:%2: %3")
                                .arg(name, QString::number(fault.line), fault.description()));
        (fault.usage ? usageFailed_ : fileFailed_) = true;
        return;
    }
    reportOutcome(outcome, stream, file, name, sinks.table != nullptr);
}

// A table's records: its header to the output's, every other record's rows after it.
ListFileStream::Outcome ConvertCommand::readTable(ListFileStream& stream, QFile& file,
                                                  const QString& input, const QString& name,
                                                  const Sinks& sinks,
                                                  const ListFileStream::Progress& progress) {
    std::optional<TableEntries> entries;
    entries.emplace(
        options_.table, [&](const TableRecord& header) { sinks.table->header(header); },
        [&](const TableRecord& record, QStringView entry) {
            addRecord(record, *entries, entry, name, sinks);
        });
    TableRecordStream records(options_.table.formatOf(input),
                              [&](const TableRecord& record) { entries->take(record); });
    return stream.read(file, records, progress);
}

void ConvertCommand::reportOutcome(ListFileStream::Outcome outcome, const ListFileStream& stream,
                                   const QFile& file, const QString& name, bool table) {
    const QString kind = table ? QStringLiteral("a table") : QStringLiteral("a list file");
    if (outcome == ListFileStream::Outcome::Binary) {
        ConsoleMessage::say(
            QStringLiteral("%1:%2: %1 is not %3: it holds binary data (a NUL byte). %4")
                .arg(name, QString::number(stream.binaryLine()), kind,
                     file.isSequential()
                         ? QStringLiteral("Reading stopped at the first block that holds it.")
                         : QStringLiteral("Nothing was read from it.")));
        fileFailed_ = true;
    } else if (outcome == ListFileStream::Outcome::Failed) {
        ConsoleMessage::say(QStringLiteral("Cannot read %1: %2").arg(name, stream.error()));
        fileFailed_ = true;
    }
}

void ConvertCommand::addEntry(QStringView entry, const QString& name, std::int64_t line,
                              const Sinks& sinks) {
    if (sinks.within)
        sinks.lines->writeNear(entry, rowsNear(entry, name, line, sinks));
    else
        sinks.lines->write(entry, rowsOf(entry, name, line, sinks));
}

// A record of a table: checked, or written once for each of its entry's rows.
void ConvertCommand::addRecord(const TableRecord& record, const TableEntries& entries,
                               QStringView entry, const QString& name, const Sinks& sinks) {
    if (sinks.check) {
        ++counts_.read;
        // The zip as the entry column reads it (a zip that lost its leading zeros has them),
        // unless there is none: an empty field would be read as zeros.
        const TableEntries::Address address = entries.addressOf(record);
        const AddressCheck::Result checked = sinks.check->check(
            TrimBlanks(address.zip).isEmpty() ? QStringView() : entry, address.city, address.state);
        ++counts_.verdicts[std::size_t(checked.verdict)];
        sinks.table->writeChecked(record, checked);
        return;
    }
    if (sinks.within) {
        const auto rows = rowsNear(entry, name, record.line(), sinks);
        if (rows.empty() && options_.table.keepUnmatched)
            sinks.table->writeUnmatched(record);
        else
            sinks.table->writeNear(record, rows);
        return;
    }
    const auto rows = rowsOf(entry, name, record.line(), sinks);
    if (rows.empty() && options_.table.keepUnmatched)
        sinks.table->writeUnmatched(record);
    else
        sinks.table->write(record, rows);
}

// The rows of --within for one entry, counted.
std::span<const WithinDistance::Row> ConvertCommand::rowsNear(QStringView entry,
                                                              const QString& name,
                                                              std::int64_t line,
                                                              const Sinks& sinks) {
    const WithinDistance::Result near = sinks.within->rowsNear(entry);
    countEntry({entry, name, line}, sinks, near.rows.size(), near.failure, near.noPoint);
    return near.rows;
}

// The rows of one entry, counted.
std::span<const std::uint32_t> ConvertCommand::rowsOf(QStringView entry, const QString& name,
                                                      std::int64_t line, const Sinks& sinks) {
    std::span<const EntryConverter::TextId> rows;
    const QString failure = sinks.converter.convertKeeping(
        entry, [&](std::span<const EntryConverter::TextId> found) { rows = found; });
    countEntry({entry, name, line}, sinks, rows.size(), failure);
    return rows;
}

// An entry read: its lookup's failure told, its rows counted; one without rows is listed
// as unmatched.
void ConvertCommand::countEntry(const Place& place, const Sinks& sinks, std::size_t rows,
                                const QString& failure, const QString& reason) {
    ++counts_.read;
    if (!failure.isEmpty())
        ConsoleMessage::say(
            QStringLiteral("%1:%2: %3").arg(place.name, QString::number(place.line), failure));
    counts_.rows += std::int64_t(rows);
    if (rows > 0)
        ++counts_.converted;
    else
        listUnmatched(place.entry, place.name, place.line, sinks, reason);
}

// A line longer than any entry can be: no lookup, a message, and the line listed as
// unmatched by its beginning.
void ConvertCommand::skipEntry(QStringView start, const QString& name, std::int64_t line,
                               const Sinks& sinks) {
    ++counts_.read;
    ConsoleMessage::say(QStringLiteral("%1:%2: the line is longer than %3 characters, which no "
                                       "entry is; it was skipped")
                            .arg(name, QString::number(line), QString::number(maxEntryChars)));
    listUnmatched(start, name, line, sinks);
}

void ConvertCommand::listUnmatched(QStringView entry, const QString& name, std::int64_t line,
                                   const Sinks& sinks, const QString& reason) {
    ++counts_.unmatched;
    if (!sinks.unmatched)
        return;
    QString listed = QStringLiteral("%1:%2\t%3").arg(name, QString::number(line), entry);
    const QStringList near = !reason.isEmpty() ? QStringList{reason}
                             : sinks.within    ? sinks.within->suggestions(entry)
                                               : sinks.converter.suggestions(entry);
    if (!near.isEmpty())
        listed += u'\t' + near.join(QStringLiteral("; "));
    sinks.unmatched->append((listed + u'\n').toUtf8());
}

void ConvertCommand::reportSummary() const {
    if (options_.quiet)
        return;
    if (options_.check)
        return reportChecks();
    QString summary = QStringLiteral("quellist-convert: %L1 entries read, %L2 converted, %L3 "
                                     "unmatched, %L4 rows written")
                          .arg(counts_.read)
                          .arg(counts_.converted)
                          .arg(counts_.unmatched)
                          .arg(counts_.rows - counts_.leftOut);
    if (options_.format == OutputFormat::Geojson)
        summary += QStringLiteral(", %L1 without a point left out").arg(counts_.leftOut);
    std::fprintf(stderr, "%s\n", summary.toLocal8Bit().constData());
}

// "quellist-convert: 8 records checked: 3 ok, 1 loose, ...": every verdict, also those
// that no record had.
void ConvertCommand::reportChecks() const {
    QStringList verdicts;
    for (std::size_t i = 0; i < counts_.verdicts.size(); ++i)
        verdicts << QStringLiteral("%L1 %2")
                        .arg(counts_.verdicts[i])
                        .arg(QLatin1String(AddressCheck::verdictNames[i]));
    std::fprintf(stderr, "%s\n",
                 QStringLiteral("quellist-convert: %L1 records checked: %2")
                     .arg(counts_.read)
                     .arg(verdicts.join(QStringLiteral(", ")))
                     .toLocal8Bit()
                     .constData());
}

int ConvertCommand::finalStatus() const {
    if (usageFailed_)
        return ExitStatus::usage;
    if (fileFailed_)
        return ExitStatus::file;
    if (options_.strict && counts_.unmatched > 0)
        return ExitStatus::unmatchedWithStrict;
    return ExitStatus::done;
}
