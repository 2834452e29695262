#include "cli/ConvertRun.h"

#include "cli/BufferedOutput.h"
#include "cli/CheckRun.h"
#include "cli/ConsoleMessage.h"
#include "cli/NearestRun.h"
#include "cli/PlainRun.h"
#include "cli/PointPipeline.h"
#include "cli/ProgressLine.h"
#include "cli/RowWriter.h"
#include "cli/TableEntries.h"
#include "cli/TableWriter.h"
#include "cli/WithinRun.h"
#include "convert/LooseNames.h"
#include "core/Counted.h"

#include "core/ScopeExit.h"

#include <QFile>

#include <cstdio>
#include <thread>
#include <unistd.h>

ConvertRun::ConvertRun(const ConvertOptions& options)
    : options_(options) {}

ConvertRun::~ConvertRun() = default;

std::unique_ptr<ConvertRun> ConvertRun::make(const ConvertOptions& options) {
    if (options.check)
        return std::make_unique<CheckRun>(options);
    if (options.nearest > 0)
        return std::make_unique<NearestRun>(options);
    if (options.withinMiles > 0)
        return std::make_unique<WithinRun>(options);
    return std::make_unique<PlainRun>(options);
}

// The outputs live as long as the run: when it ends early, by a failure or by a failed
// input, they go unfinished, and an old output file stays as it was.
int ConvertRun::run() {
    ZipDatabase& database = database_.emplace(options_.database);
    database.prepare(options_.fetchedFields(neededFields()));
    ProgressLine progress(!options_.quiet && isatty(STDERR_FILENO));
    if (options_.table.enabled())
        table_ = std::make_unique<TableWriter>(options_);
    else
        lines_ = RowWriter::make(options_);
    if (!options_.unmatched.isEmpty())
        unmatched_ = std::make_unique<BufferedOutput>(options_.unmatched);
    if (options_.loose || needsLooseNames())
        loose_ = std::make_unique<LooseNames>(database);
    start(
        database,
        [this](const ZipRow& row) { return table_ ? table_->makeRow(row) : lines_->makeRow(row); },
        loose_.get());
    for (const QString& input : options_.inputs)
        convertInput(input, progress);
    progress.clear();
    if (lines_)
        leftOut_ = lines_->rowsLeftOut();
    if (!fileFailed_ && !usageFailed_) {
        if (table_)
            table_->finish();
        else
            lines_->finish();
        if (unmatched_)
            unmatched_->commit();
    }
    reportSummary();
    return finalStatus();
}

void ConvertRun::convertInput(const QString& input, ProgressLine& progress) {
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
                          [&](QStringView start) { skipEntry(start, name, ++line); });
    const auto onProgress = [&](qint64 done, qint64 size) { progress.update(read_, done, size); };
    const auto addEntry = [&](QStringView entry) {
        const EntryAnswer answer = answerOf(entry, PointEntry::ofLine(entry));
        count(answer, entry, name, ++line);
        lines_->write(entry, answer.rows);
    };
    ListFileStream::Outcome outcome{};
    try {
        outcome = table_ ? readTable(stream, file, input, name, onProgress)
                         : stream.read(file, addEntry, onProgress);
    } catch (const TableFault& fault) {
        ConsoleMessage::say(QStringLiteral("%1:%2: %3")
                                .arg(name, QString::number(fault.line), fault.description()));
        (fault.usage ? usageFailed_ : fileFailed_) = true;
        return;
    }
    reportOutcome(outcome, stream, file, name, table_ != nullptr);
}

// A table's records: its header to the output's, every other record's rows after it.
ListFileStream::Outcome ConvertRun::readTable(ListFileStream& stream, QFile& file,
                                              const QString& input, const QString& name,
                                              const ListFileStream::Progress& progress) {
    std::optional<TableEntries> entries;
    entries.emplace(
        options_.table, [&](const TableRecord& header) { table_->header(header); },
        [&](const TableRecord& record, QStringView entry) {
            takeRecord(record, *entries, entry, name);
        });
    TableRecordStream records(options_.table.formatOf(input),
                              [&](const TableRecord& record) { entries->take(record); });
    // A table of points is searched on a second thread where there is a second core.
    const auto search =
        options_.table.latitudeColumn.isEmpty() || std::thread::hardware_concurrency() < 2
            ? std::function<const std::vector<NearZip>&(GeoPoint)>()
            : searchAside();
    if (search)
        pipeline_ = std::make_unique<PointPipeline>(
            search,
            [&](const TableRecord& record, const PointEntry& point, std::span<const NearZip> near) {
                takePointRecord(record, *entries, point,
                                point.problem.isEmpty() ? rowsNear(near) : EntryAnswer(), name);
            });
    const ScopeExit stopPipeline([this] { pipeline_.reset(); });
    const ListFileStream::Outcome outcome = stream.read(file, records, progress);
    if (pipeline_)
        pipeline_->flush();
    return outcome;
}

void ConvertRun::takeRecord(const TableRecord& record, const TableEntries& entries,
                            QStringView entry, const QString& name) {
    if (options_.table.latitudeColumn.isEmpty()) {
        const EntryAnswer answer = answerOf(entry, PointEntry::ofLine(entry));
        count(answer, entry, name, record.line());
        writeRecord(record, answer.rows);
        return;
    }
    const TableEntries::Coordinates at = entries.coordinatesOf(record);
    const PointEntry point = PointEntry::ofFields(at.latitude, at.longitude);
    if (pipeline_)
        return pipeline_->add(record, point);
    takePointRecord(record, entries, point, answerOf({}, point), name);
}

// A record of a table of points, answered.
void ConvertRun::takePointRecord(const TableRecord& record, const TableEntries& entries,
                                 const PointEntry& point, const EntryAnswer& answer,
                                 const QString& name) {
    EntryAnswer told = answer;
    if (!point.problem.isEmpty())
        told.reason = point.problem;
    count(told, told.rows.ids.empty() ? entries.pointEntryOf(record) : QString(), name,
          record.line());
    writeRecord(record, told.rows);
}

// A record once for each of its rows; once without rows, its appended fields empty, with
// --keep-unmatched.
void ConvertRun::writeRecord(const TableRecord& record, const FoundRows& rows) {
    if (rows.ids.empty() && options_.table.keepUnmatched)
        table_->writeUnmatched(record);
    else
        table_->write(record, rows);
}

EntryAnswer ConvertRun::answerOf(QStringView entry, const std::optional<PointEntry>& point) {
    if (!point)
        return answer(entry);
    if (point->problem.isEmpty())
        return answer(point->point);
    EntryAnswer bad;
    bad.reason = point->problem;
    return bad;
}

void ConvertRun::count(const EntryAnswer& answer, QStringView entry, const QString& name,
                       std::int64_t line) {
    ++read_;
    if (!answer.failure.isEmpty())
        ConsoleMessage::say(
            QStringLiteral("%1:%2: %3").arg(name, QString::number(line), answer.failure));
    rows_ += std::int64_t(answer.rows.ids.size());
    if (!answer.rows.ids.empty())
        ++converted_;
    else
        listUnmatched(entry, name, line, answer.reason);
}

void ConvertRun::reportOutcome(ListFileStream::Outcome outcome, const ListFileStream& stream,
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

// A line longer than any entry can be: no lookup, a message, and the line listed as
// unmatched by its beginning.
void ConvertRun::skipEntry(QStringView start, const QString& name, std::int64_t line) {
    ++read_;
    ConsoleMessage::say(QStringLiteral("%1:%2: the line is longer than %3 characters, which no "
                                       "entry is; it was skipped")
                            .arg(name, QString::number(line), QString::number(maxEntryChars)));
    listUnmatched(start, name, line);
}

void ConvertRun::listUnmatched(QStringView entry, const QString& name, std::int64_t line,
                               const QString& reason) {
    ++unmatchedCount_;
    if (!unmatched_)
        return;
    QString listed = QStringLiteral("%1:%2\t%3").arg(name, QString::number(line), entry);
    const QStringList near = !reason.isEmpty() ? QStringList{reason} : suggestions(entry);
    if (!near.isEmpty())
        listed += u'\t' + near.join(QStringLiteral("; "));
    unmatched_->append((listed + u'\n').toUtf8());
}

void ConvertRun::reportSummary() const {
    if (options_.quiet)
        return;
    QString summary = QStringLiteral("quellist-convert: %1 read, %L2 converted, %L3 unmatched, "
                                     "%4 written")
                          .arg(Counted(read_, "entry", "entries"))
                          .arg(converted_)
                          .arg(unmatchedCount_)
                          .arg(Counted(rows_ - leftOut_, "row", "rows"));
    if (options_.format == OutputFormat::Geojson)
        summary += QStringLiteral(", %L1 without a point left out").arg(leftOut_);
    std::fprintf(stderr, "%s\n", summary.toLocal8Bit().constData());
}

int ConvertRun::finalStatus() const {
    if (usageFailed_)
        return ExitStatus::usage;
    if (fileFailed_)
        return ExitStatus::file;
    if (options_.strict && unmatchedCount_ > 0)
        return ExitStatus::unmatchedWithStrict;
    return ExitStatus::done;
}
