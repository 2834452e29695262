#include "cli/ConvertOptionTable.h"

#include "cli/ConvertOptions.h"
#include "convert/SaveOption.h"

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

QStringList tableFormatNames() {
    return {QStringLiteral("csv"), QStringLiteral("tsv")};
}

// The names --fields takes: the zip data's fields, and distance.
QStringList fieldNames() {
    QStringList names;
    for (const ZipFieldInfo& field : zipFields)
        names << QLatin1String(field.header);
    return names << QStringLiteral("distance");
}

bool takeSave(ConvertOptions& options, const QString&, const QString& value, QString&) {
    options.saveOption = int(SaveOption::names().indexOf(value));
    return true;
}

// "zip,county,latitude": names of the zip table's columns, and distance, each once.
bool takeFields(ConvertOptions& options, const QString&, const QString& value, QString& error) {
    options.fields.clear();
    options.distanceAt.reset();
    const QStringList names = fieldNames();
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

bool takeFormat(ConvertOptions& options, const QString&, const QString& value, QString&) {
    options.format = formats[formatNames().indexOf(value)].format;
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

template <QString TableOptions::*column>
bool takeTableColumn(ConvertOptions& options, const QString& name, const QString& value,
                     QString& error) {
    return takeColumn(options.table.*column, name, value, error);
}

bool takeInputFormat(ConvertOptions& options, const QString&, const QString& value, QString&) {
    options.table.inputFormat =
        value == QStringLiteral("csv") ? TableFormat::Csv : TableFormat::Tsv;
    return true;
}

template <QString ConvertOptions::*text>
bool setText(ConvertOptions& options, const QString&, const QString& value, QString&) {
    options.*text = value;
    return true;
}

// A switch that sets one flag of the options.
template <bool ConvertOptions::*flag>
bool set(ConvertOptions& options, const QString&, const QString&, QString&) {
    options.*flag = true;
    return true;
}
template <bool TableOptions::*flag, bool value>
bool setTable(ConvertOptions& options, const QString&, const QString&, QString&) {
    options.table.*flag = value;
    return true;
}

bool takeWithin(ConvertOptions& options, const QString&, const QString& value, QString&) {
    options.withinMiles = value.trimmed().toDouble();
    return true;
}

bool takeNearest(ConvertOptions& options, const QString&, const QString& value, QString&) {
    options.nearest = value.trimmed().toInt();
    return true;
}

// Conditions of the rules that no option's presence tells.
bool namesColumnsByName(const ConvertOptions& options) {
    const TableOptions& t = options.table;
    return !std::ranges::all_of(
        QStringList{t.column, t.cityColumn, t.stateColumn, t.latitudeColumn, t.longitudeColumn},
        [](const QString& c) { return c.isEmpty() || TableOptions::isNumber(c); });
}
bool writesToStandardOutput(const ConvertOptions& options) {
    return options.output == QStringLiteral("-");
}
bool asksForDistance(const ConvertOptions& options) {
    return options.distanceAt.has_value();
}

constexpr ValueRange withinRange{0, 500, false, false,
                                 "--within takes a distance in miles above 0 and at most 500, "
                                 "not \"%1\""};
constexpr ValueRange nearestRange{1, 100, true, true,
                                  "--nearest takes a number of zips from 1 to 100, not \"%1\""};

constexpr OptionRule formatRules[]{
    {OptionRule::Excludes, "--column | --city-column | --latitude-column",
     "a table is written as csv or tsv: --format csv or --format tsv", "rows|aligned|xlsx|geojson"},
    {OptionRule::Refuses, nullptr, "--format xlsx writes a workbook file: name it with -o FILE",
     "xlsx", nullptr, writesToStandardOutput},
};
constexpr OptionRule fieldsRules[]{
    {OptionRule::Needs,
     "--format=csv | --format=tsv | --format=geojson | --column | --city-column | "
     "--latitude-column",
     "--fields chooses the fields of csv, tsv and geojson output: give --format csv, tsv or "
     "geojson"},
};
constexpr OptionRule columnRules[]{
    {OptionRule::Excludes, "--city-column",
     "--column and --city-column name the entry twice: give one", nullptr, "--check"},
    {OptionRule::Excludes, "--latitude-column",
     "--column and --latitude-column name the entry twice: give one"},
};
constexpr OptionRule cityColumnRules[]{
    {OptionRule::Needs, "--state-column", "--city-column needs --state-column"},
    {OptionRule::Excludes, "--latitude-column",
     "--city-column and --latitude-column name the entry twice: give one"},
};
constexpr OptionRule stateColumnRules[]{
    {OptionRule::Needs, "--city-column", "--state-column needs --city-column"},
};
constexpr OptionRule latitudeColumnRules[]{
    {OptionRule::Needs, "--longitude-column", "--latitude-column needs --longitude-column"},
};
constexpr OptionRule longitudeColumnRules[]{
    {OptionRule::Needs, "--latitude-column", "--longitude-column needs --latitude-column"},
};
constexpr OptionRule readsTableRules[]{
    {OptionRule::Needs, "--column | --city-column | --latitude-column",
     "--input-format, --no-header and --keep-unmatched read a table: name its column with "
     "--column"},
};
constexpr OptionRule noHeaderRules[]{
    {OptionRule::Needs, "--column | --city-column | --latitude-column",
     "--input-format, --no-header and --keep-unmatched read a table: name its column with "
     "--column"},
    {OptionRule::Refuses, nullptr, "--no-header: without a header, name columns by number", nullptr,
     nullptr, namesColumnsByName},
};
constexpr OptionRule checkRules[]{
    {OptionRule::NeedsAll, "--column (the zip's) | --city-column | --state-column",
     "--check reads the zip, city and state columns of a table: give %1"},
    {OptionRule::Excludes, "--within", "--check and --within are two different runs: give one"},
    {OptionRule::Excludes, "--nearest", "--check and --nearest are two different runs: give one"},
    {OptionRule::Excludes, "--latitude-column",
     "--check reads the zip, city and state columns of a table, not a point"},
    {OptionRule::Refuses, nullptr,
     "--fields distance is the distance of --within, --nearest or a point: --check has none",
     nullptr, nullptr, asksForDistance},
};

constexpr const char* tablesParagraph =
    "Tables (csv as RFC 4180 has it, or tsv): every record is written once for each of its\n"
    "rows, its own fields first and the fields of the row appended; the header is carried\n"
    "over and extended. Output: csv or tsv (--format), by default the input's format.";

const OptionDeclaration options[]{
    {.names = "--save",
     .value = "WHAT",
     .usage = "[--save WHAT]",
     .help = "city-state-zip (default), city, state, zip or city-state",
     .before = nullptr,
     .take = takeSave,
     .choices = SaveOption::names,
     .choiceRefusal = "--save takes one of %1, not \"%2\"",
     .completes = Completion::Words},
    {.names = "--format",
     .value = "FORMAT",
     .usage = "[--format FORMAT]",
     .help = "rows (default): one result row per line, as the clipboard copy\n"
             "aligned: the text file of \"Save Results As Text File\"\n"
             "csv, tsv: the entry and the fields of every result row\n"
             "xlsx: the spreadsheet workbook (needs -o)\n"
             "geojson: a FeatureCollection, a Point for every row with a point",
     .before = nullptr,
     .take = takeFormat,
     .choices = formatNames,
     .choiceRefusal = "--format takes one of %1, not \"%2\"",
     .rules = formatRules,
     .completes = Completion::Words},
    {.names = "--fields",
     .value = "LIST",
     .usage = "[--fields LIST]",
     .help = "csv, tsv, geojson and tables: the fields of each row, in this order, from "
             "{fields}, and distance (miles from the entry's point or centres); without it, "
             "the fields --save words",
     .before = nullptr,
     .take = takeFields,
     .rules = fieldsRules,
     .completes = Completion::CommaWords,
     .words = fieldNames},
    {.names = "--within",
     .value = "MILES",
     .usage = "[--within MILES]",
     .help = "the rows of every zip within MILES (at most 500) of the entry's\n"
             "zips, nearest first, each zip once with its first place name",
     .before = nullptr,
     .take = takeWithin,
     .range = &withinRange},
    {.names = "--nearest",
     .value = "N",
     .usage = "[--nearest N]",
     .help = "the rows of the N (1 to 100) zips nearest the entry, nearest first;\n"
             "with --within MILES, at most N of those within MILES",
     .before = nullptr,
     .take = takeNearest,
     .range = &nearestRange},
    {.names = "-o, --output",
     .value = "FILE",
     .usage = "[-o FILE]",
     .help = "write to FILE, put in place only when the run completes (\"-\", the\n"
             "default: standard output)",
     .before = nullptr,
     .take = setText<&ConvertOptions::output>,
     .completes = Completion::File},
    {.names = "--unmatched",
     .value = "FILE",
     .usage = "[--unmatched FILE]",
     .help = "write the entries that gave no row, with their file and line",
     .before = nullptr,
     .take = setText<&ConvertOptions::unmatched>,
     .completes = Completion::File},
    {.names = "--database",
     .value = "PATH",
     .usage = "[--database PATH]",
     .help = "the zip-code database (default: zipbase.mdb beside the program)",
     .before = nullptr,
     .take = setText<&ConvertOptions::database>,
     .completes = Completion::File},
    {.names = "--loose",
     .value = nullptr,
     .usage = "[--loose]",
     .help = "a city and state the table lacks as written is tried with dots,\n"
             "hyphens and blanks evened out and ST, STE, FT, MT, PT read as\n"
             "SAINT, SAINTE, FORT, MOUNT, POINT (and the reverse); --unmatched\n"
             "then adds up to three nearest places of the state",
     .before = nullptr,
     .take = set<&ConvertOptions::loose>},
    {.names = "--strict",
     .value = nullptr,
     .usage = "[--strict]",
     .help = "exit with status 1 when some entries gave no row",
     .before = nullptr,
     .take = set<&ConvertOptions::strict>},
    {.names = "-q, --quiet",
     .value = nullptr,
     .usage = "[--quiet]",
     .help = "no progress and no summary on standard error",
     .before = nullptr,
     .take = set<&ConvertOptions::quiet>},
    {.names = "-h, --help",
     .value = nullptr,
     .usage = "",
     .help = "this text",
     .before = nullptr,
     .take = set<&ConvertOptions::help>},
    {.names = "--column",
     .value = "COL",
     .usage = "[--column COL |",
     .help = "the column that holds the entry: a header name or a number from 1",
     .before = tablesParagraph,
     .take = takeTableColumn<&TableOptions::column>,
     .rules = columnRules,
     .completes = Completion::Column},
    {.names = "--city-column",
     .value = "COL",
     .usage = "--city-column COL",
     .help = "with --state-column: two columns that make the entry \"CITY, ST\"",
     .before = nullptr,
     .take = takeTableColumn<&TableOptions::cityColumn>,
     .rules = cityColumnRules,
     .completes = Completion::Column},
    {.names = "--state-column",
     .value = "COL",
     .usage = "--state-column COL |",
     .help = "the state's column, with --city-column",
     .before = nullptr,
     .take = takeTableColumn<&TableOptions::stateColumn>,
     .rules = stateColumnRules,
     .completes = Completion::Column},
    {.names = "--latitude-column",
     .value = "COL",
     .usage = "--latitude-column COL",
     .help = "with --longitude-column: two columns of decimal degrees that make\n"
             "the entry a point, whose nearest zip it gives",
     .before = nullptr,
     .take = takeTableColumn<&TableOptions::latitudeColumn>,
     .rules = latitudeColumnRules,
     .completes = Completion::Column},
    {.names = "--longitude-column",
     .value = "COL",
     .usage = "--longitude-column COL",
     .help = "the longitude's column, with --latitude-column",
     .before = nullptr,
     .take = takeTableColumn<&TableOptions::longitudeColumn>,
     .rules = longitudeColumnRules,
     .completes = Completion::Column},
    {.names = "--input-format",
     .value = "F",
     .usage = "[--input-format csv|tsv]",
     .help = "csv or tsv (default: tsv for .tsv and .tab files, else csv)",
     .before = nullptr,
     .take = takeInputFormat,
     .choices = tableFormatNames,
     .choiceRefusal = "--input-format takes csv or tsv, not \"%2\"",
     .rules = readsTableRules,
     .completes = Completion::Words},
    {.names = "--no-header",
     .value = nullptr,
     .usage = "[--no-header]",
     .help = "the first record is data, not a header (columns by number)",
     .before = nullptr,
     .take = setTable<&TableOptions::header, false>,
     .rules = noHeaderRules},
    {.names = "--keep-unmatched",
     .value = nullptr,
     .usage = "[--keep-unmatched]",
     .help = "write a record without rows once, its appended fields empty",
     .before = nullptr,
     .take = setTable<&TableOptions::keepUnmatched, true>,
     .rules = readsTableRules},
    {.names = "--check",
     .value = nullptr,
     .usage = "[--check]]",
     .help = "with --column ZIP, --city-column and --state-column: every record\n"
             "once, with check (ok, loose, nearby, other-city, other-state,\n"
             "unknown-zip, no-zip) and the zip's own city and state appended",
     .before = nullptr,
     .take = set<&ConvertOptions::check>,
     .rules = checkRules},
    {.names = "--version",
     .value = nullptr,
     .usage = "",
     .help = "the version and the zip data's sources",
     .before = nullptr,
     .take = set<&ConvertOptions::version>},
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

QStringList OptionDeclaration::completionWords() const {
    if (words)
        return words();
    return choices ? choices() : QStringList();
}

QStringList OptionDeclaration::spellings() const {
    return QString::fromLatin1(names).split(QStringLiteral(", "));
}

QString OptionDeclaration::longName() const {
    return spellings().constLast();
}

std::span<const OptionDeclaration> optionDeclarations() {
    return options;
}

std::span<const ExitStatusDeclaration> exitStatusDeclarations() {
    return exitStatuses;
}
