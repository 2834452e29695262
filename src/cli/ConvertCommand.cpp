#include "cli/ConvertCommand.h"

#include "cli/ConsolePlatform.h"
#include "cli/OutputFile.h"
#include "cli/ProgressLine.h"
#include "cli/RowWriter.h"
#include "convert/EntryConverter.h"
#include "convert/SaveOption.h"
#include "convert/ZipDatabase.h"
#include "entries/ListFileStream.h"

#include <QFile>

#include <cstdio>
#include <memory>
#include <unistd.h>

ConvertCommand::ConvertCommand(const ConvertOptions& options)
    : options_(options) {}

int ConvertCommand::run() {
    try {
        return convertAll();
    } catch (const OutputFailure& failure) {
        if (failure.brokenPipe)
            return ExitStatus::done; // the reader has all it wanted
        ConsolePlatform::say(failure.description());
        return ExitStatus::file;
    } catch (const DatabaseFault& failure) {
        ConsolePlatform::say(failure.description());
        return ExitStatus::database;
    } catch (const AppError& failure) {
        ConsolePlatform::say(failure.description());
        return ExitStatus::file;
    }
}

// The outputs live in this call only: when it ends early, by a failure or by a failed
// input, they go unfinished, and an old output file stays as it was.
int ConvertCommand::convertAll() {
    ZipDatabase database(options_.database);
    database.prepare(SaveOption::at(options_.saveOption).fields());
    ProgressLine progress(!options_.quiet && isatty(STDERR_FILENO));
    const std::unique_ptr<RowWriter> writer = RowWriter::make(options_);
    std::unique_ptr<OutputFile> unmatched;
    if (!options_.unmatched.isEmpty())
        unmatched = std::make_unique<OutputFile>(options_.unmatched);
    EntryConverter converter(database, [&](const ZipRow& row) { return writer->makeRow(row); });
    const Sinks sinks{converter, *writer, unmatched.get()};
    for (const QString& input : options_.inputs)
        convertInput(input, sinks, progress);
    progress.clear();
    if (!fileFailed_) {
        writer->finish();
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
        ConsolePlatform::say(QStringLiteral("Cannot read %1: %2").arg(name, file.errorString()));
        fileFailed_ = true;
        return;
    }
    std::int64_t line = 0;
    ListFileStream stream({LineEnds::Any, maxEntryChars},
                          [&](QStringView start) { skipEntry(start, name, ++line, sinks); });
    const auto outcome = stream.read(
        file, [&](QStringView entry) { convertEntry(entry, name, ++line, sinks); },
        [&](qint64 done, qint64 size) { progress.update(counts_.read, done, size); });
    if (outcome == ListFileStream::Outcome::Binary) {
        ConsolePlatform::say(
            file.isSequential()
                ? QStringLiteral("%1 is not a list file: it holds binary data. Reading stopped at "
                                 "the first block that holds it.")
                      .arg(name)
                : QStringLiteral(
                      "%1 is not a list file: it holds binary data. Nothing was read from it.")
                      .arg(name));
        fileFailed_ = true;
    } else if (outcome == ListFileStream::Outcome::Failed) {
        ConsolePlatform::say(QStringLiteral("Cannot read %1: %2").arg(name, stream.error()));
        fileFailed_ = true;
    }
}

void ConvertCommand::convertEntry(QStringView entry, const QString& name, std::int64_t line,
                                  const Sinks& sinks) {
    ++counts_.read;
    std::span<const EntryConverter::TextId> rows;
    try {
        rows = sinks.converter.convert(entry);
    } catch (const DatabaseFault&) {
        throw;
    } catch (const AppError& failure) {
        rows = sinks.converter.rowsBeforeFailure(); // the rows the query gave stay
        if (!reportedFailures_.contains(failure.description())) {
            reportedFailures_.insert(failure.description());
            ConsolePlatform::say(QStringLiteral("%1:%2: %3")
                                     .arg(name, QString::number(line), failure.description()));
        }
    }
    sinks.writer.write(entry, rows);
    counts_.rows += std::int64_t(rows.size());
    if (!rows.empty()) {
        ++counts_.converted;
        return;
    }
    listUnmatched(entry, name, line, sinks);
}

// A line longer than any entry can be: no lookup, a message, and the line listed as
// unmatched by its beginning.
void ConvertCommand::skipEntry(QStringView start, const QString& name, std::int64_t line,
                               const Sinks& sinks) {
    ++counts_.read;
    ConsolePlatform::say(QStringLiteral("%1:%2: the line is longer than %3 characters, which no "
                                        "entry is; it was skipped")
                             .arg(name, QString::number(line), QString::number(maxEntryChars)));
    listUnmatched(start, name, line, sinks);
}

void ConvertCommand::listUnmatched(QStringView entry, const QString& name, std::int64_t line,
                                   const Sinks& sinks) {
    ++counts_.unmatched;
    if (sinks.unmatched)
        sinks.unmatched->append(
            QStringLiteral("%1:%2\t%3\n").arg(name, QString::number(line), entry).toUtf8());
}

void ConvertCommand::reportSummary() const {
    if (options_.quiet)
        return;
    std::fprintf(stderr, "%s\n",
                 QStringLiteral("quellist-convert: %L1 entries read, %L2 converted, %L3 unmatched, "
                                "%L4 rows written")
                     .arg(counts_.read)
                     .arg(counts_.converted)
                     .arg(counts_.unmatched)
                     .arg(counts_.rows)
                     .toLocal8Bit()
                     .constData());
}

int ConvertCommand::finalStatus() const {
    if (fileFailed_)
        return ExitStatus::file;
    if (options_.strict && counts_.unmatched > 0)
        return ExitStatus::unmatchedWithStrict;
    return ExitStatus::done;
}
