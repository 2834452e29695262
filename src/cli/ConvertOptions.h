#pragma once
// cli: quellist-convert, the conversion of the window for scripts and lists of any size.
//
// main() parses ConvertOptions (from the table of ConvertOptionTable, whose rules say what
// options ask of each other) and hands them to ConvertCommand, which picks the run mode
// once (RunMode::make: plain, within, nearest or check). The mode reads each input with
// ListFileStream (LF, CR LF and CR end a line) or as a table (TableEntries), answers every
// entry (a zip, a place, a point) with EntryConverter and the searches of convert/, and
// hands the rows to a RowWriter (or a TableWriter) for the chosen format: streamed for
// rows, csv, tsv and geojson; gathered into a results list for the aligned-text and
// workbook writers the window uses too. Every output is a BufferedOutput. No window seam.

#include "convert/ZipColumns.h"
#include "entries/TableRecordStream.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

enum class OutputFormat { Rows, Aligned, Csv, Tsv, Xlsx, Geojson };

// --column and its kin: the inputs are tables, each record's entry in a column (or made
// of a city and a state column, or of a latitude and a longitude column); the output
// repeats every record with the fields of its rows appended.
struct TableOptions {
    QString column; // a header name, or a number counted from 1
    QString cityColumn;
    QString stateColumn;
    QString latitudeColumn; // with longitudeColumn: the entry is a point
    QString longitudeColumn;
    std::optional<TableFormat> inputFormat; // unset: by each file's name
    bool header = true;
    bool keepUnmatched = false;

    bool enabled() const {
        return !column.isEmpty() || !cityColumn.isEmpty() || !latitudeColumn.isEmpty();
    }
    // Whether a column is named by number: digits only.
    static bool isNumber(const QString& column);
    // A column named by number, counted from 1: the number; a name (anything but digits): 0.
    static qsizetype numberOf(const QString& column);
    // The format an input is read in: as told, else tsv for .tsv and .tab, else csv.
    TableFormat formatOf(const QString& input) const;
};

struct ConvertOptions {
    QStringList inputs; // "-" is standard input
    QString output;     // "-": standard output
    QString unmatched;
    QString database;
    int saveOption = 0;
    OutputFormat format = OutputFormat::Rows;
    bool formatGiven = false;     // else a table's output takes its input's format
    std::vector<ZipField> fields; // --fields, in its order (distance apart); empty: not given
    std::optional<std::size_t> distanceAt; // --fields distance: how many fields come before it
    double withinMiles = 0;                // --within; 0: not asked
    int nearest = 0;                       // --nearest; 0: not asked
    bool check = false;                    // --check: a table's addresses against their zips
    bool quiet = false;
    bool strict = false;
    bool loose = false;
    TableOptions table;
    bool help = false;
    bool version = false;

    // Reads the arguments after the program's name. On a mistake: nullopt, and error says it.
    static std::optional<ConvertOptions> parse(const QStringList& args,
                                               const QString& defaultDatabase, QString& error);
    // The fields each row shows, decided here alone: those of --fields; else the fields the
    // --save option words its rows from. A table checked with --check shows the zip's city
    // and state first.
    std::vector<ZipField> shownFields() const;
    // What the lookups fetch: the shown fields, what the run mode needs (the zip of a
    // centre) and what the format needs (a map's coordinates).
    std::vector<ZipField> fetchedFields(std::span<const ZipField> needed) const;
};

namespace ExitStatus {
inline constexpr int done = 0;
inline constexpr int unmatchedWithStrict = 1;
inline constexpr int usage = 2;
inline constexpr int database = 3;
inline constexpr int file = 4;
} // namespace ExitStatus
