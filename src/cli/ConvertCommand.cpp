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
#include <unistd.h>

ConvertCommand::ConvertCommand(const ConvertOptions& options)
    : options_(options) {}

int ConvertCommand::run() {
    std::unique_ptr<ZipDatabase> database;
    try {
        database = std::make_unique<ZipDatabase>(options_.database);
        database->prepare(SaveOption::columnList(options_.saveOption));
    } catch (const AppError& failure) {
        ConsolePlatform::say(failure.description());
        return ExitStatus::database;
    }
    ProgressLine progress(!options_.quiet && isatty(STDERR_FILENO));
    try {
        std::unique_ptr<RowWriter> writer = RowWriter::make(options_);
        std::unique_ptr<OutputFile> unmatched;
        if (!options_.unmatched.isEmpty())
            unmatched = std::make_unique<OutputFile>(options_.unmatched);
        EntryConverter converter(*database, [&](std::span<const QStringView> fields) {
            return writer->makeRow(fields);
        });
        for (const QString& input : options_.inputs)
            convertInput(input, converter, *writer, unmatched.get(), progress);
        progress.clear();
        writer->finish();
        if (unmatched)
            unmatched->commit();
    } catch (const OutputFailure& failure) {
        progress.clear();
        if (failure.brokenPipe)
            return ExitStatus::done; // the reader has all it wanted
        ConsolePlatform::say(QString::fromStdString(failure.what()));
        return ExitStatus::file;
    } catch (const DatabaseFault& failure) {
        progress.clear();
        ConsolePlatform::say(failure.description());
        return ExitStatus::database;
    }
    reportSummary();
    return finalStatus();
}

void ConvertCommand::convertInput(const QString& input, EntryConverter& converter,
                                  RowWriter& writer, OutputFile* unmatched,
                                  ProgressLine& progress) {
    const bool standardInput = input == QStringLiteral("-");
    const QString name = standardInput ? QStringLiteral("standard input") : input;
    QFile file(input);
    const bool opened =
        standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (!opened) {
        ConsolePlatform::say(QStringLiteral("cannot read %1: %2").arg(name, file.errorString()));
        fileFailed_ = true;
        return;
    }
    std::int64_t line = 0;
    ListFileStream stream;
    const auto outcome = stream.read(
        file,
        [&](QStringView entry) { convertEntry(entry, name, ++line, converter, writer, unmatched); },
        [&](qint64 done, qint64 size) { progress.update(counts_.read, done, size); });
    if (outcome == ListFileStream::Outcome::Binary) {
        ConsolePlatform::say(
            QStringLiteral("%1 is not a list file: it holds binary data. Nothing was read from it.")
                .arg(name));
        fileFailed_ = true;
    } else if (outcome == ListFileStream::Outcome::Failed) {
        ConsolePlatform::say(QStringLiteral("cannot read %1: %2").arg(name, stream.error()));
        fileFailed_ = true;
    }
}

void ConvertCommand::convertEntry(QStringView entry, const QString& name, std::int64_t line,
                                  EntryConverter& converter, RowWriter& writer,
                                  OutputFile* unmatched) {
    ++counts_.read;
    std::span<const EntryConverter::TextId> rows;
    try {
        rows = converter.convert(entry);
    } catch (const DatabaseFault&) {
        throw;
    } catch (const AppError& failure) {
        rows = converter.rowsBeforeFailure(); // the rows the query gave stay
        if (!reportedFailures_.contains(failure.description())) {
            reportedFailures_.insert(failure.description());
            ConsolePlatform::say(
                QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(failure.description()));
        }
    }
    writer.write(entry, rows);
    counts_.rows += std::int64_t(rows.size());
    if (!rows.empty()) {
        ++counts_.converted;
        return;
    }
    ++counts_.unmatched;
    if (unmatched)
        unmatched->append(QStringLiteral("%1:%2\t%3\n").arg(name).arg(line).arg(entry).toUtf8());
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
