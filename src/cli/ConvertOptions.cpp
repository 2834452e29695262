#include "cli/ConvertOptions.h"

#include "cli/ConvertOptionTable.h"
#include "convert/SaveOption.h"

#include <algorithm>

namespace {

constexpr qsizetype helpIndent = 21; // where the descriptions of --help begin
constexpr qsizetype helpWidth = 89;  // no line of --help is longer

QStringList namesOf(const OptionDeclaration& option) {
    return QString::fromLatin1(option.names).split(QStringLiteral(", "));
}

// The declaration the argument spells ("--save", "--save=city", "-o"); the spelling in name.
const OptionDeclaration* declarationOf(const QString& arg, QString& name) {
    for (const OptionDeclaration& option : optionDeclarations())
        for (const QString& spelling : namesOf(option))
            if (arg == spelling || (option.value && spelling.startsWith(QStringLiteral("--")) &&
                                    arg.startsWith(spelling + u'='))) {
                name = spelling;
                return &option;
            }
    return nullptr;
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

// Words laid into lines no longer than width.
QString wrapped(const QString& text, qsizetype width) {
    QString out;
    qsizetype lineLength = 0;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += u'\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            out += u' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

// An option's help as --help shows it: its own lines, or, where it names the fields of
// the zip data ("{fields}"), those names laid into lines.
QString helpOf(const OptionDeclaration& option) {
    QString help = QString::fromLatin1(option.help);
    if (!help.contains(QStringLiteral("{fields}")))
        return help;
    QStringList names;
    for (const ZipFieldInfo& field : zipFields)
        names << QLatin1String(field.header);
    help.replace(QStringLiteral("{fields}"), names.join(QStringLiteral(", ")));
    return wrapped(help.replace(u'\n', u' '), helpWidth - helpIndent);
}

// "  --save WHAT        city-state-zip ...": the names, then the lines of the help beside
// them, or below them when the names are too long.
QString helpEntry(const OptionDeclaration& option) {
    QString left = QStringLiteral("  ") + QLatin1String(option.names);
    if (option.value)
        left += u' ' + QLatin1String(option.value);
    left += left.size() + 2 <= helpIndent ? QString(helpIndent - left.size(), u' ')
                                          : u'\n' + QString(helpIndent, u' ');
    return left + helpOf(option).replace(u'\n', u'\n' + QString(helpIndent, u' ')) + u'\n';
}

// The table options agree with each other and with the output format.
// --check reads three columns of a table: each one that is not named.
QStringList missingCheckColumns(const TableOptions& table) {
    QStringList missing;
    if (table.column.isEmpty())
        missing << QStringLiteral("--column (the zip's)");
    if (table.cityColumn.isEmpty())
        missing << QStringLiteral("--city-column");
    if (table.stateColumn.isEmpty())
        missing << QStringLiteral("--state-column");
    return missing;
}

bool checkTable(ConvertOptions& options, bool formatGiven, QString& error) {
    const TableOptions& table = options.table;
    if (const QStringList missing = missingCheckColumns(table);
        options.check && !missing.isEmpty()) {
        error = QStringLiteral("--check reads the zip, city and state columns of a table: give %1")
                    .arg(missing.join(QStringLiteral(", ")));
        return false;
    }
    if (!table.enabled()) {
        if (!table.stateColumn.isEmpty())
            error = QStringLiteral("--state-column needs --city-column");
        else if (table.inputFormat || !table.header || table.keepUnmatched)
            error = QStringLiteral("--input-format, --no-header and --keep-unmatched read a "
                                   "table: name its column with --column");
        return error.isEmpty();
    }
    if (!table.column.isEmpty() && !table.cityColumn.isEmpty() && !options.check)
        error = QStringLiteral("--column and --city-column name the entry twice: give one");
    else if (!table.cityColumn.isEmpty() && table.stateColumn.isEmpty())
        error = QStringLiteral("--city-column needs --state-column");
    else if (!table.header &&
             !std::ranges::all_of(
                 QStringList{table.column, table.cityColumn, table.stateColumn},
                 [](const QString& c) { return c.isEmpty() || TableOptions::isNumber(c); }))
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

bool TableOptions::isNumber(const QString& column) {
    return !column.isEmpty() && std::all_of(column.begin(), column.end(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
}

qsizetype TableOptions::numberOf(const QString& column) {
    bool number = false;
    const qsizetype n = column.toLongLong(&number);
    return isNumber(column) && number ? n : 0;
}

TableFormat TableOptions::formatOf(const QString& input) const {
    if (inputFormat)
        return *inputFormat;
    const QString lower = input.toLower();
    return lower.endsWith(QStringLiteral(".tsv")) || lower.endsWith(QStringLiteral(".tab"))
               ? TableFormat::Tsv
               : TableFormat::Csv;
}

namespace {

// --fields, --within, --check and the output format agree with each other.
bool checkRuns(const ConvertOptions& options, QString& error) {
    const bool records = options.format == OutputFormat::Csv ||
                         options.format == OutputFormat::Tsv ||
                         options.format == OutputFormat::Geojson;
    if ((!options.fields.empty() || options.distanceAt) && !options.table.enabled() && !records)
        error = QStringLiteral("--fields chooses the fields of csv, tsv and geojson output: "
                               "give --format csv, tsv or geojson");
    else if (options.distanceAt && options.withinMiles <= 0)
        error = QStringLiteral("--fields distance is the distance of --within: give --within");
    else if (options.check && options.withinMiles > 0)
        error = QStringLiteral("--check and --within are two different runs: give one");
    return error.isEmpty();
}

void addOnce(std::vector<ZipField>& fields, ZipField field) {
    if (std::ranges::find(fields, field) == fields.end())
        fields.push_back(field);
}

} // namespace

std::vector<ZipField> ConvertOptions::fetchedFields() const {
    std::vector<ZipField> fetched = appendedFields();
    if (withinMiles > 0)
        addOnce(fetched, ZipField::Zip); // the centres are zips
    if (format == OutputFormat::Geojson) {
        addOnce(fetched, ZipField::Latitude);
        addOnce(fetched, ZipField::Longitude);
    }
    return fetched;
}

std::vector<ZipField> ConvertOptions::appendedFields() const {
    if (!check)
        return fields.empty() ? SaveOption::at(saveOption).fields() : fields;
    std::vector<ZipField> appended{ZipField::City, ZipField::State};
    for (ZipField field : fields)
        addOnce(appended, field);
    return appended;
}

QString ConvertOptions::usage() {
    QString line = QStringLiteral("usage: quellist-convert");
    for (const OptionDeclaration& option : optionDeclarations()) {
        if (option.before)
            line += QStringLiteral("\n        ");
        if (*option.usage)
            line += u' ' + QLatin1String(option.usage);
    }
    return line + QStringLiteral(" [FILE...]");
}

QString ConvertOptions::helpText() {
    QString text = usage() + QStringLiteral(R"(

Converts lists of US zip codes and "City, ST" entries as Quellist's window does: every zip
code becomes its city and state, every city and state all the zip codes of that place.
Entries are read from the FILEs (none, or "-": standard input) one per line; LF, CR LF
and CR all end a line. Binary input is refused; a line over 65,536 characters is skipped.

)");
    for (const OptionDeclaration& option : optionDeclarations()) {
        if (option.before)
            text += u'\n' + QLatin1String(option.before) + u'\n';
        text += helpEntry(option);
    }
    QStringList statuses;
    for (const ExitStatusDeclaration& exit : exitStatusDeclarations())
        statuses << QStringLiteral("%1 %2").arg(exit.status).arg(QLatin1String(exit.meaning));
    return text + u'\n' +
           wrapped(QStringLiteral("Exit status: ") + statuses.join(QStringLiteral("; ")) + u'.',
                   helpWidth) +
           u'\n';
}

std::optional<ConvertOptions>
ConvertOptions::parse(const QStringList& args, const QString& defaultDatabase, QString& error) {
    ConvertOptions options;
    options.database = defaultDatabase;
    bool onlyFiles = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (onlyFiles || arg == QStringLiteral("-") || !arg.startsWith(u'-')) {
            options.inputs.append(arg);
            continue;
        }
        if (arg == QStringLiteral("--")) {
            onlyFiles = true;
            continue;
        }
        QString name;
        const OptionDeclaration* option = declarationOf(arg, name);
        if (!option) {
            error = QStringLiteral("unknown option %1").arg(arg);
            return std::nullopt;
        }
        std::optional<QString> value = QString();
        if (option->value && !(value = valueOf(args, i, name, error)))
            return std::nullopt;
        if (!option->take(options, name, *value, error))
            return std::nullopt;
    }
    if (options.inputs.isEmpty())
        options.inputs.append(QStringLiteral("-"));
    if (options.output.isEmpty())
        options.output = QStringLiteral("-");
    if (!checkTable(options, options.formatGiven, error))
        return std::nullopt;
    if (!checkRuns(options, error))
        return std::nullopt;
    if (options.format == OutputFormat::Xlsx && options.output == QStringLiteral("-") &&
        !options.help && !options.version) {
        error = QStringLiteral("--format xlsx writes a workbook file: name it with -o FILE");
        return std::nullopt;
    }
    return options;
}
