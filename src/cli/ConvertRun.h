#pragma once
// One run of quellist-convert, in the mode the options ask for (make): the shared base
// opens the database, makes the outputs, reads every input (a list, or a table whose
// records give the entries), counts, lists the unmatched entries and reports; a mode
// answers each entry (a zip, a place or a point) with its rows. A run that ends with
// status 3 or 4 puts no output file in place: old ones stay whole.
//
//   PlainRun    the rows of each entry, as "Start Converting" finds them; a point's nearest zip
//   WithinRun   every zip within --within MILES of the entry      } on CentredRun: rows
//   NearestRun  the --nearest N zips nearest the entry            } around the centres
//   CheckRun    whether a table's city, state and zip agree (--check)

#include "cli/ConvertOptions.h"
#include "convert/EntryConverter.h"
#include "convert/FoundRows.h"
#include "convert/GeoPoint.h"
#include "entries/ListFileStream.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class BufferedOutput;
class LooseNames;
class PointPipeline;
class ProgressLine;
class QFile;
class RowWriter;
class TableEntries;
class TableRecord;
class TableWriter;

class ConvertRun {
public:
    // No entry is longer than a line of a real list; a longer line is reported and skipped.
    static constexpr qsizetype maxEntryChars = 65536;

    explicit ConvertRun(const ConvertOptions& options); // of a mode: see make()
    virtual ~ConvertRun();
    ConvertRun(const ConvertRun&) = delete;
    ConvertRun& operator=(const ConvertRun&) = delete;

    // The run the options ask for: --check, --nearest, --within, else plain.
    static std::unique_ptr<ConvertRun> make(const ConvertOptions& options);

    // Opens the database and the outputs, reads every input and writes its rows; returns the
    // exit status. Throws DatabaseFault, AppError (OutputFailure among them).
    int run();

protected:
    // What the mode's questions need the lookups to fetch besides the shown fields.
    virtual std::vector<ZipField> neededFields() const { return {}; }
    // The database open and its lookups prepared: the mode makes its questions. loose:
    // present with --loose or when the mode asked for it (needsLooseNames).
    virtual void start(ZipDatabase& database, const EntryConverter::RowMaker& makeRow,
                       LooseNames* loose) = 0;
    virtual bool needsLooseNames() const { return false; }
    // The rows of an entry that is not a point, and of a point. Valid until the next entry.
    virtual EntryAnswer answer(QStringView entry) = 0;
    virtual EntryAnswer answer(GeoPoint point) = 0;
    // A search of the zips near a point that can run on a second thread, with a state of its
    // own, for a table of points; none where the mode's search asks the database. The
    // answers of its finds then come from rowsNear.
    virtual std::function<const std::vector<NearZip>&(GeoPoint)> searchAside() { return {}; }
    virtual EntryAnswer rowsNear(std::span<const NearZip>) { return {}; }
    // For an unmatched entry: near names the user may have meant.
    virtual QStringList suggestions(QStringView entry) = 0;
    // A table's record: written once for each row of its entry (once without rows, its
    // appended fields empty, with --keep-unmatched).
    virtual void takeRecord(const TableRecord& record, const TableEntries& entries,
                            QStringView entry, const QString& name);
    virtual void reportSummary() const;

    // The rows of an entry: of its point where it is one, else of its text.
    EntryAnswer answerOf(QStringView entry, const std::optional<PointEntry>& point);
    // An entry answered, and where it was read: counted, and listed when it has no rows.
    void count(const EntryAnswer& answer, QStringView entry, const QString& name,
               std::int64_t line);

    const ConvertOptions& options_;
    TableWriter* table() const { return table_.get(); }
    std::int64_t read_ = 0; // entries, or records, read

private:
    void convertInput(const QString& input, ProgressLine& progress);
    ListFileStream::Outcome readTable(ListFileStream& stream, QFile& file, const QString& input,
                                      const QString& name,
                                      const ListFileStream::Progress& progress);
    void reportOutcome(ListFileStream::Outcome outcome, const ListFileStream& stream,
                       const QFile& file, const QString& name, bool table);
    void skipEntry(QStringView start, const QString& name, std::int64_t line);
    void writeRecord(const TableRecord& record, const FoundRows& rows);
    void takePointRecord(const TableRecord& record, const TableEntries& entries,
                         const PointEntry& point, const EntryAnswer& answer, const QString& name);
    // reason: why an entry that was read has no rows; else suggestions, if any.
    void listUnmatched(QStringView entry, const QString& name, std::int64_t line,
                       const QString& reason = {});
    int finalStatus() const;

    std::optional<ZipDatabase> database_;
    std::unique_ptr<RowWriter> lines_;
    std::unique_ptr<TableWriter> table_;
    std::unique_ptr<BufferedOutput> unmatched_;
    std::unique_ptr<LooseNames> loose_;
    std::unique_ptr<PointPipeline> pipeline_; // while a table of points is read
    std::int64_t converted_ = 0;
    std::int64_t unmatchedCount_ = 0;
    std::int64_t rows_ = 0;
    std::int64_t leftOut_ = 0; // rows the format could not show
    bool fileFailed_ = false;
    bool usageFailed_ = false; // a table lacks a column the command named
};
