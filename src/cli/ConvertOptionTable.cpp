#include "cli/ConvertOptionTable.h"

#include "cli/ConvertOptions.h"
#include "convert/SaveOption.h"

#include <QStringList>

#include <algorithm>

namespace {

struct FormatName {
    const char* name;
    OutputFormat format;
};
constexpr FormatName formats[]{{"rows", OutputFormat::Rows}, {"aligned", OutputFormat::Aligned},
                               {"csv", OutputFormat::Csv},   {"tsv", OutputFormat::Tsv},
                               {"xlsx", OutputFormat::Xlsx}, {"geojson", OutputFormat::Geojson}};

QStringList formatNames() {
    QStringList names;
    for (const FormatName& format : formats)
        names << QLatin1String(format.name);
    return names;
}

bool takeSave(ConvertOptions& options, const QString&, const QString& value, QString& error) {
    const QStringList names = SaveOption::names();
    options.saveOption = int(names.indexOf(value));
    if (SaveOption::isValid(options.saveOption))
        return true;
    error = QStringLiteral("--save takes one of %1, not \"%2\"")
                .arg(names.join(QStringLiteral(", ")), value);
    return false;
}

// "zip,county,latitude": names of the zip table's columns, and distance, each once.
bool takeFields(ConvertOptions& options, const QString&, const QString& value, QString& error) {
    options.fields.clear();
    options.distanceAt.reset();
    QStringList names;
    for (const ZipFieldInfo& field : zipFields)
        names << QLatin1String(field.header);
    names << QStringLiteral("distance");
    for (const QString& given : value.split(u',')) {
        const QString name = given.trimmed();
        const qsizetype known = names.indexOf(name);
        const bool distance = known == qsizetype(zipFields.size());
        if (known < 0 || (distance && options.distanceAt) ||
            (!distance &&
             std::ranges::count(options.fields, zipFields[std::size_t(known)].field) > 0)) {
            error = QStringLiteral("--fields takes names from %1, each once, not \"%2\"")
                        .arg(names.join(QStringLiteral(", ")), name);
            return false;
        }
        if (distance)
            options.distanceAt = options.fields.size();
        else
            options.fields.push_back(zipFields[std::size_t(known)].field);
    }
    return true;
}

// A distance in miles: above 0, at most maxWithinMiles.
bool takeWithin(ConvertOptions& options, const QString&, const QString& value, QString& error) {
    constexpr double maxWithinMiles = 500;
    bool number = false;
    const double miles = value.trimmed().toDouble(&number);
    if (!number || !(miles > 0 && miles <= maxWithinMiles)) {
        error = QStringLiteral("--within takes a distance in miles above 0 and at most %1, not "
                               "\"%2\"")
                    .arg(maxWithinMiles)
                    .arg(value);
        return false;
    }
    options.withinMiles = miles;
    return true;
}

bool takeFormat(ConvertOptions& options, const QString&, const QString& value, QString& error) {
    const qsizetype format = formatNames().indexOf(value);
    if (format < 0) {
        error = QStringLiteral("--format takes one of %1, not \"%2\"")
                    .arg(formatNames().join(QStringLiteral(", ")), value);
        return false;
    }
    options.format = formats[format].format;
    options.formatGiven = true;
    return true;
}

// A header name, or a number counted from 1.
bool takeColumn(QString& column, const QString& name, const QString& value, QString& error) {
    if (value.isEmpty() || (TableOptions::isNumber(value) && TableOptions::numberOf(value) < 1)) {
        error = QStringLiteral("%1 takes a header name or a column number from 1, not \"%2\"")
                    .arg(name, value);
        return false;
    }
    column = value;
    return true;
}

bool takeInputFormat(ConvertOptions& options, const QString&, const QString& value,
                     QString& error) {
    if (value != QStringLiteral("csv") && value != QStringLiteral("tsv")) {
        error = QStringLiteral("--input-format takes csv or tsv, not \"%1\"").arg(value);
        return false;
    }
    options.table.inputFormat =
        value == QStringLiteral("csv") ? TableFormat::Csv : TableFormat::Tsv;
    return true;
}

// A switch that sets one flag of the options.
template <bool ConvertOptions::*flag>
bool set(ConvertOptions& options, const QString&, const QString&, QString&) {
    options.*flag = true;
    return true;
}
bool clearHeader(ConvertOptions& options, const QString&, const QString&, QString&) {
    options.table.header = false;
    return true;
}
bool keepUnmatched(ConvertOptions& options, const QString&, const QString&, QString&) {
    options.table.keepUnmatched = true;
    return true;
}

constexpr const char* tablesParagraph =
    "Tables (csv as RFC 4180 has it, or tsv): every record is written once for each of its\n"
    "rows, its own fields first and the fields of the row appended; the header is carried\n"
    "over and extended. Output: csv or tsv (--format), by default the input's format.";

const OptionDeclaration options[]{
    {"--save", "WHAT", "[--save WHAT]", "city-state-zip (default), city, state, zip or city-state",
     nullptr, takeSave},
    {"--format", "FORMAT", "[--format FORMAT]",
     "rows (default): one result row per line, as the clipboard copy\n"
     "aligned: the text file of \"Save Results As Text File\"\n"
     "csv, tsv: entry, city, state, zip for every result row\n"
     "xlsx: the spreadsheet workbook (needs -o)\n"
     "geojson: a FeatureCollection, a Point for every row with a point",
     nullptr, takeFormat},
    {"--fields", "LIST", "[--fields LIST]",
     "csv, tsv, geojson and tables: the fields of each row, in this order, from {fields}, "
     "and distance with --within",
     nullptr, takeFields},
    {"--within", "MILES", "[--within MILES]",
     "the rows of every zip within MILES (at most 500) of the entry's\n"
     "zips, nearest first, each zip once with its first place name",
     nullptr, takeWithin},
    {"-o, --output", "FILE", "[-o FILE]",
     "write to FILE, put in place only when the run completes (\"-\", the\n"
     "default: standard output)",
     nullptr,
     [](ConvertOptions& o, const QString&, const QString& v, QString&) {
         o.output = v;
         return true;
     }},
    {"--unmatched", "FILE", "[--unmatched FILE]",
     "write the entries that gave no row, with their file and line", nullptr,
     [](ConvertOptions& o, const QString&, const QString& v, QString&) {
         o.unmatched = v;
         return true;
     }},
    {"--database", "PATH", "[--database PATH]",
     "the zip-code database (default: zipbase.mdb beside the program)", nullptr,
     [](ConvertOptions& o, const QString&, const QString& v, QString&) {
         o.database = v;
         return true;
     }},
    {"--loose", nullptr, "[--loose]",
     "a city and state the table lacks as written is tried with dots,\n"
     "hyphens and blanks evened out and ST, STE, FT, MT, PT read as\n"
     "SAINT, SAINTE, FORT, MOUNT, POINT (and the reverse); --unmatched\n"
     "then adds up to three nearest places of the state",
     nullptr, set<&ConvertOptions::loose>},
    {"--strict", nullptr, "[--strict]", "exit with status 1 when some entries gave no row", nullptr,
     set<&ConvertOptions::strict>},
    {"-q, --quiet", nullptr, "[--quiet]", "no progress and no summary on standard error", nullptr,
     set<&ConvertOptions::quiet>},
    {"-h, --help", nullptr, "", "this text", nullptr, set<&ConvertOptions::help>},
    {"--column", "COL", "[--column COL |",
     "the column that holds the entry: a header name or a number from 1", tablesParagraph,
     [](ConvertOptions& o, const QString& n, const QString& v, QString& e) {
         return takeColumn(o.table.column, n, v, e);
     }},
    {"--city-column", "COL", "--city-column COL",
     "with --state-column: two columns that make the entry \"CITY, ST\"", nullptr,
     [](ConvertOptions& o, const QString& n, const QString& v, QString& e) {
         return takeColumn(o.table.cityColumn, n, v, e);
     }},
    {"--state-column", "COL", "--state-column COL", "the state's column, with --city-column",
     nullptr,
     [](ConvertOptions& o, const QString& n, const QString& v, QString& e) {
         return takeColumn(o.table.stateColumn, n, v, e);
     }},
    {"--input-format", "F", "[--input-format csv|tsv]",
     "csv or tsv (default: tsv for .tsv and .tab files, else csv)", nullptr, takeInputFormat},
    {"--no-header", nullptr, "[--no-header]",
     "the first record is data, not a header (columns by number)", nullptr, clearHeader},
    {"--keep-unmatched", nullptr, "[--keep-unmatched]",
     "write a record without rows once, its appended fields empty", nullptr, keepUnmatched},
    {"--check", nullptr, "[--check]]",
     "with --column ZIP, --city-column and --state-column: every record\n"
     "once, with check (ok, loose, other-city, other-state, unknown-zip,\n"
     "no-zip) and the zip's own city and state appended",
     nullptr, set<&ConvertOptions::check>},
    {"--version", nullptr, "", "the version and the zip data's sources", nullptr,
     set<&ConvertOptions::version>},
};

const ExitStatusDeclaration exitStatuses[]{
    {ExitStatus::done, "done"},
    {ExitStatus::unmatchedWithStrict, "unmatched entries with --strict"},
    {ExitStatus::usage, "usage error (also a named column a table does not have)"},
    {ExitStatus::database, "the database is missing or broken"},
    {ExitStatus::file, "an input or output file could not be read or written, or a table record "
                       "could not be read"},
};

} // namespace

std::span<const OptionDeclaration> optionDeclarations() {
    return options;
}

std::span<const ExitStatusDeclaration> exitStatusDeclarations() {
    return exitStatuses;
}
