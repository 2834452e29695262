#pragma once
// cli: quellist-convert, the conversion of the window for scripts and lists of any size.
//
// main() parses ConvertOptions (from the table of ConvertOptionTable) and hands them to
// ConvertCommand, which reads each input with ListFileStream (LF, CR LF and CR end a line),
// converts every entry with EntryConverter (the window's "Start Converting" rules) and
// hands the rows to a RowWriter (or a TableWriter) for the chosen format: streamed for
// rows, csv and tsv; gathered into a results list for the aligned-text and workbook
// writers the window uses too. Every output is a BufferedOutput. No window seam here.

#include "convert/ZipColumns.h"
#include "entries/TableRecordStream.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

enum class OutputFormat { Rows, Aligned, Csv, Tsv, Xlsx, Geojson };

// --column and its kin: the inputs are tables, each record's entry in a column (or made
// of a city and a state column); the output repeats every record with the fields of its
// rows appended.
struct TableOptions {
    QString column; // a header name, or a number counted from 1
    QString cityColumn;
    QString stateColumn;
    std::optional<TableFormat> inputFormat; // unset: by each file's name
    bool header = true;
    bool keepUnmatched = false;

    bool enabled() const { return !column.isEmpty() || !cityColumn.isEmpty(); }
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
    std::vector<ZipField> fields; // --fields: csv and tsv fields in this order; empty: as ever
    std::optional<std::size_t> distanceAt; // --fields distance: how many fields come before it
    double withinMiles = 0;                // --within; 0: a plain conversion
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
    // What the lookups fetch: --fields, else what the save option words its rows from; and
    // what --within, --check and geojson need besides.
    std::vector<ZipField> fetchedFields() const;
    // The fields a table's records gain: the fetched ones; with --check, the city and the
    // state of the zip and then the other fields of --fields.
    std::vector<ZipField> appendedFields() const;
    static QString usage();
    static QString helpText();
};

namespace ExitStatus {
inline constexpr int done = 0;
inline constexpr int unmatchedWithStrict = 1;
inline constexpr int usage = 2;
inline constexpr int database = 3;
inline constexpr int file = 4;
} // namespace ExitStatus
