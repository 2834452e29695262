#include "cli/ConvertOptions.h"

#include "convert/SaveOption.h"

#include <algorithm>

namespace {

struct FormatName {
    const char* name;
    OutputFormat format;
};
constexpr FormatName formats[]{{"rows", OutputFormat::Rows},
                               {"aligned", OutputFormat::Aligned},
                               {"csv", OutputFormat::Csv},
                               {"tsv", OutputFormat::Tsv},
                               {"xlsx", OutputFormat::Xlsx}};

QStringList formatNames() {
    QStringList names;
    for (const FormatName& format : formats)
        names << QLatin1String(format.name);
    return names;
}

// "--name=value" or "--name value"; advances i past what it took.
std::optional<QString> valueOf(const QStringList& args, qsizetype& i, const QString& name,
                               QString& error) {
    const QString& arg = args.at(i);
    if (arg.startsWith(name + u'='))
        return arg.mid(name.size() + 1);
    if (i + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return std::nullopt;
    }
    return args.at(++i);
}

bool takes(const QString& arg, const QString& name) {
    return arg == name || arg.startsWith(name + u'=');
}

bool isDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The options of tables. false: not one of them, or (error set) a mistake.
bool parseTableOption(const QStringList& args, qsizetype& i, TableOptions& table, QString& error) {
    const QString& arg = args.at(i);
    QString* column = takes(arg, QStringLiteral("--column"))         ? &table.column
                      : takes(arg, QStringLiteral("--city-column"))  ? &table.cityColumn
                      : takes(arg, QStringLiteral("--state-column")) ? &table.stateColumn
                                                                     : nullptr;
    if (column) {
        const QString name = arg.section(u'=', 0, 0);
        const std::optional<QString> value = valueOf(args, i, name, error);
        if (value && (value->isEmpty() || (isDigits(*value) && TableOptions::numberOf(*value) < 1)))
            error = QStringLiteral("%1 takes a header name or a column number from 1, not \"%2\"")
                        .arg(name, *value);
        if (value && error.isEmpty())
            *column = *value;
        return true;
    }
    if (takes(arg, QStringLiteral("--input-format"))) {
        const std::optional<QString> value =
            valueOf(args, i, QStringLiteral("--input-format"), error);
        if (value == QStringLiteral("csv") || value == QStringLiteral("tsv"))
            table.inputFormat =
                *value == QStringLiteral("csv") ? TableFormat::Csv : TableFormat::Tsv;
        else if (value)
            error = QStringLiteral("--input-format takes csv or tsv, not \"%1\"").arg(*value);
        return true;
    }
    if (arg == QStringLiteral("--no-header"))
        table.header = false;
    else if (arg == QStringLiteral("--keep-unmatched"))
        table.keepUnmatched = true;
    else
        return false;
    return true;
}

// The table options agree with each other and with the output format.
bool checkTable(ConvertOptions& options, bool formatGiven, QString& error) {
    const TableOptions& table = options.table;
    if (!table.enabled()) {
        if (!table.stateColumn.isEmpty())
            error = QStringLiteral("--state-column needs --city-column");
        else if (table.inputFormat || !table.header || table.keepUnmatched)
            error = QStringLiteral("--input-format, --no-header and --keep-unmatched read a "
                                   "table: name its column with --column");
        return error.isEmpty();
    }
    if (!table.column.isEmpty() && !table.cityColumn.isEmpty())
        error = QStringLiteral("--column and --city-column name the entry twice: give one");
    else if (!table.cityColumn.isEmpty() && table.stateColumn.isEmpty())
        error = QStringLiteral("--city-column needs --state-column");
    else if (!table.header &&
             !std::ranges::all_of(QStringList{table.column, table.cityColumn, table.stateColumn},
                                  [](const QString& c) { return c.isEmpty() || isDigits(c); }))
        error = QStringLiteral("--no-header: without a header, name columns by number");
    else if (formatGiven && options.format != OutputFormat::Csv &&
             options.format != OutputFormat::Tsv)
        error = QStringLiteral("a table is written as csv or tsv: --format csv or --format tsv");
    if (!formatGiven)
        options.format = table.formatOf(options.inputs.value(0)) == TableFormat::Tsv
                             ? OutputFormat::Tsv
                             : OutputFormat::Csv;
    return error.isEmpty();
}

} // namespace

qsizetype TableOptions::numberOf(const QString& column) {
    bool number = false;
    const qsizetype n = column.toLongLong(&number);
    return isDigits(column) && number ? n : 0;
}

TableFormat TableOptions::formatOf(const QString& input) const {
    if (inputFormat)
        return *inputFormat;
    const QString lower = input.toLower();
    return lower.endsWith(QStringLiteral(".tsv")) || lower.endsWith(QStringLiteral(".tab"))
               ? TableFormat::Tsv
               : TableFormat::Csv;
}

QString ConvertOptions::usage() {
    return QStringLiteral("usage: quellist-convert [--save WHAT] [--format FORMAT] [-o FILE] "
                          "[--unmatched FILE] [--database PATH] [--loose] [--strict] [--quiet]\n"
                          "         [--column COL | --city-column COL --state-column COL "
                          "[--input-format csv|tsv] [--no-header] [--keep-unmatched]] [FILE...]");
}

QString ConvertOptions::helpText() {
    return usage() + QStringLiteral(R"(

Converts lists of US zip codes and "City, ST" entries as Quellist's window does: every zip
code becomes its city and state, every city and state all the zip codes of that place.
Entries are read from the FILEs (none, or "-": standard input) one per line; LF, CR LF
and CR all end a line. Binary input is refused; a line over 65,536 characters is skipped.

  --save WHAT        city-state-zip (default), city, state, zip or city-state
  --format FORMAT    rows (default): one result row per line, as the clipboard copy
                     aligned: the text file of "Save Results As Text File"
                     csv, tsv: entry, city, state, zip for every result row
                     xlsx: the spreadsheet workbook (needs -o)
  -o, --output FILE  write to FILE, put in place only when the run completes ("-", the
                     default: standard output)
  --unmatched FILE   write the entries that gave no row, with their file and line
  --database PATH    the zip-code database (default: zipbase.mdb beside the program)
  --loose            a city and state the table lacks as written is tried with dots,
                     hyphens and blanks evened out and ST, STE, FT, MT, PT read as
                     SAINT, SAINTE, FORT, MOUNT, POINT (and the reverse); --unmatched
                     then adds up to three nearest places of the state
  --strict           exit with status 1 when some entries gave no row
  --quiet            no progress and no summary on standard error
  -h, --help         this text

Tables (csv as RFC 4180 has it, or tsv): every record is written once for each of its
rows, its own fields first and the fields of the row appended; the header is carried
over and extended. Output: csv or tsv (--format), by default the input's format.
  --column COL       the column that holds the entry: a header name or a number from 1
  --city-column COL, --state-column COL
                     two columns that make the entry "CITY, ST"
  --input-format F   csv or tsv (default: tsv for .tsv and .tab files, else csv)
  --no-header        the first record is data, not a header (columns by number)
  --keep-unmatched   write a record without rows once, its appended fields empty
  --version          the version and the zip data's sources

Exit status: 0 done; 1 unmatched entries with --strict; 2 usage error (also a named
column a table does not have); 3 the database is missing or broken; 4 an input or output
file could not be read or written, or a table record could not be read.
)");
}

std::optional<ConvertOptions>
ConvertOptions::parse(const QStringList& args, const QString& defaultDatabase, QString& error) {
    ConvertOptions options;
    options.database = defaultDatabase;
    bool onlyFiles = false;
    bool formatGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        std::optional<QString> value;
        if (onlyFiles || arg == QStringLiteral("-") || !arg.startsWith(u'-')) {
            options.inputs.append(arg);
        } else if (arg == QStringLiteral("--")) {
            onlyFiles = true;
        } else if (arg == QStringLiteral("-h") || arg == QStringLiteral("--help")) {
            options.help = true;
        } else if (arg == QStringLiteral("--version")) {
            options.version = true;
        } else if (arg == QStringLiteral("--quiet") || arg == QStringLiteral("-q")) {
            options.quiet = true;
        } else if (arg == QStringLiteral("--strict")) {
            options.strict = true;
        } else if (arg == QStringLiteral("--loose")) {
            options.loose = true;
        } else if (parseTableOption(args, i, options.table, error)) {
            if (!error.isEmpty())
                return std::nullopt;
        } else if (takes(arg, QStringLiteral("--save"))) {
            if (!(value = valueOf(args, i, QStringLiteral("--save"), error)))
                return std::nullopt;
            const QStringList saveNames = SaveOption::names();
            options.saveOption = int(saveNames.indexOf(*value));
            if (!SaveOption::isValid(options.saveOption)) {
                error = QStringLiteral("--save takes one of %1, not \"%2\"")
                            .arg(saveNames.join(QStringLiteral(", ")), *value);
                return std::nullopt;
            }
        } else if (takes(arg, QStringLiteral("--format"))) {
            if (!(value = valueOf(args, i, QStringLiteral("--format"), error)))
                return std::nullopt;
            const qsizetype format = formatNames().indexOf(*value);
            if (format < 0) {
                error = QStringLiteral("--format takes one of %1, not \"%2\"")
                            .arg(formatNames().join(QStringLiteral(", ")), *value);
                return std::nullopt;
            }
            options.format = formats[format].format;
            formatGiven = true;
        } else if (arg == QStringLiteral("-o") || takes(arg, QStringLiteral("--output"))) {
            if (!(value = valueOf(args, i,
                                  arg == QStringLiteral("-o") ? arg : QStringLiteral("--output"),
                                  error)))
                return std::nullopt;
            options.output = *value;
        } else if (takes(arg, QStringLiteral("--unmatched"))) {
            if (!(value = valueOf(args, i, QStringLiteral("--unmatched"), error)))
                return std::nullopt;
            options.unmatched = *value;
        } else if (takes(arg, QStringLiteral("--database"))) {
            if (!(value = valueOf(args, i, QStringLiteral("--database"), error)))
                return std::nullopt;
            options.database = *value;
        } else {
            error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        }
    }
    if (options.inputs.isEmpty())
        options.inputs.append(QStringLiteral("-"));
    if (options.output.isEmpty())
        options.output = QStringLiteral("-");
    if (!checkTable(options, formatGiven, error))
        return std::nullopt;
    if (options.format == OutputFormat::Xlsx && options.output == QStringLiteral("-") &&
        !options.help && !options.version) {
        error = QStringLiteral("--format xlsx writes a workbook file: name it with -o FILE");
        return std::nullopt;
    }
    return options;
}
