#pragma once
// One run of quellist-convert: every input read and converted, the rows written, the
// unmatched entries and the summary reported. Returns the exit status. A run that ends
// with status 3 or 4 puts no output file in place: old ones stay whole.

#include "cli/ConvertOptions.h"
#include "convert/WithinDistance.h"

#include <QString>

#include <array>
#include <cstdint>

#include "entries/ListFileStream.h"

#include <span>

class AddressCheck;
class EntryConverter;
class TableEntries;
class TableRecord;
class WithinDistance;
class BufferedOutput;
class ProgressLine;
class QFile;
class RowWriter;
class TableWriter;

class ConvertCommand {
public:
    // No entry is longer than a line of a real list; a longer line is reported and skipped.
    static constexpr qsizetype maxEntryChars = 65536;

    explicit ConvertCommand(const ConvertOptions& options);
    int run();

private:
    struct Counts {
        std::int64_t read = 0;
        std::int64_t converted = 0;
        std::int64_t unmatched = 0;
        std::int64_t rows = 0;
        std::int64_t leftOut = 0;               // rows the format could not show
        std::array<std::int64_t, 6> verdicts{}; // --check: records by AddressCheck::Verdict
    };
    // Where the entries of the run go: a list's rows to lines, a table's to table; with
    // --within an entry's rows come from within, with --check a record's verdict from check.
    struct Sinks {
        EntryConverter& converter;
        WithinDistance* within;
        AddressCheck* check;
        RowWriter* lines;
        TableWriter* table;
        BufferedOutput* unmatched;
    };

    int convertAll();
    void convertInput(const QString& input, const Sinks& sinks, ProgressLine& progress);
    ListFileStream::Outcome readTable(ListFileStream& stream, QFile& file, const QString& input,
                                      const QString& name, const Sinks& sinks,
                                      const ListFileStream::Progress& progress);
    void reportOutcome(ListFileStream::Outcome outcome, const ListFileStream& stream,
                       const QFile& file, const QString& name, bool table);
    void addEntry(QStringView entry, const QString& name, std::int64_t line, const Sinks& sinks);
    void addRecord(const TableRecord& record, const TableEntries& entries, QStringView entry,
                   const QString& name, const Sinks& sinks);
    std::span<const std::uint32_t> rowsOf(QStringView entry, const QString& name, std::int64_t line,
                                          const Sinks& sinks);
    std::span<const WithinDistance::Row> rowsNear(QStringView entry, const QString& name,
                                                  std::int64_t line, const Sinks& sinks);
    // An entry and where it was read.
    struct Place {
        QStringView entry;
        const QString& name;
        std::int64_t line;
    };
    void countEntry(const Place& place, const Sinks& sinks, std::size_t rows,
                    const QString& failure, const QString& reason = {});
    void skipEntry(QStringView start, const QString& name, std::int64_t line, const Sinks& sinks);
    // reason: why an entry that was found has no rows; else suggestions, if any.
    void listUnmatched(QStringView entry, const QString& name, std::int64_t line,
                       const Sinks& sinks, const QString& reason = {});
    void reportSummary() const;
    void reportChecks() const;
    int finalStatus() const;

    const ConvertOptions& options_;
    Counts counts_;
    bool fileFailed_ = false;
    bool usageFailed_ = false; // a table lacks a column the command named
};
