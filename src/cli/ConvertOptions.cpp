#include "cli/ConvertOptions.h"

#include "cli/ConvertOptionTable.h"
#include "convert/SaveOption.h"

#include <algorithm>
#include <cmath>

namespace {

// The declaration the argument spells ("--save", "--save=city", "-o"); the spelling in name.
const OptionDeclaration* declarationOf(const QString& arg, QString& name) {
    for (const OptionDeclaration& option : optionDeclarations())
        for (const QString& spelling : option.spellings())
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

bool inRange(const ValueRange& range, const QString& value) {
    bool number = false;
    const double n =
        range.whole ? double(value.trimmed().toInt(&number)) : value.trimmed().toDouble(&number);
    return number && std::isfinite(n) && (range.lowIncluded ? n >= range.low : n > range.low) &&
           n <= range.high;
}

// The value against the option's choices and range: the refusal, or empty.
QString refusalOf(const OptionDeclaration& option, const QString& value) {
    if (option.choices && !option.choices().contains(value))
        return QString::fromLatin1(option.choiceRefusal)
            .replace(QStringLiteral("%1"), option.choices().join(QStringLiteral(", ")))
            .replace(QStringLiteral("%2"), value);
    if (option.range && !inRange(*option.range, value))
        return QString::fromLatin1(option.range->refusal).arg(value);
    return {};
}

// One argument that names an option, and its value: taken into the options and given.
bool takeOption(const QStringList& args, qsizetype& i, ConvertOptions& options, GivenOptions& given,
                QString& error) {
    QString name;
    const OptionDeclaration* option = declarationOf(args.at(i), name);
    if (!option) {
        error = QStringLiteral("unknown option %1").arg(args.at(i));
        return false;
    }
    std::optional<QString> value = QString();
    if (option->value && !(value = valueOf(args, i, name, error)))
        return false;
    if (option->value && !(error = refusalOf(*option, *value)).isEmpty())
        return false;
    given.insert(option->longName(), *value);
    return option->take(options, name, *value, error);
}

void addOnce(std::vector<ZipField>& fields, ZipField field) {
    if (std::ranges::find(fields, field) == fields.end())
        fields.push_back(field);
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

std::vector<ZipField> ConvertOptions::shownFields() const {
    if (!check)
        return fields.empty() ? SaveOption::at(saveOption).fields() : fields;
    std::vector<ZipField> shown{ZipField::City, ZipField::State};
    for (ZipField field : fields)
        addOnce(shown, field);
    return shown;
}

std::vector<ZipField> ConvertOptions::fetchedFields(std::span<const ZipField> needed) const {
    std::vector<ZipField> fetched = shownFields();
    for (ZipField field : needed)
        addOnce(fetched, field);
    if (format == OutputFormat::Geojson) {
        addOnce(fetched, ZipField::Latitude);
        addOnce(fetched, ZipField::Longitude);
    }
    return fetched;
}

std::optional<ConvertOptions>
ConvertOptions::parse(const QStringList& args, const QString& defaultDatabase, QString& error) {
    ConvertOptions options;
    options.database = defaultDatabase;
    GivenOptions given;
    bool onlyFiles = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (onlyFiles || arg == QStringLiteral("-") || !arg.startsWith(u'-'))
            options.inputs.append(arg);
        else if (arg == QStringLiteral("--"))
            onlyFiles = true;
        else if (!takeOption(args, i, options, given, error))
            return std::nullopt;
    }
    if (options.inputs.isEmpty())
        options.inputs.append(QStringLiteral("-"));
    if (options.output.isEmpty())
        options.output = QStringLiteral("-");
    if (options.help || options.version)
        return options;
    if (!(error = brokenRule(given, options)).isEmpty())
        return std::nullopt;
    if (options.table.enabled() && !options.formatGiven) // a table's output: its input's format
        options.format = options.table.formatOf(options.inputs.value(0)) == TableFormat::Tsv
                             ? OutputFormat::Tsv
                             : OutputFormat::Csv;
    return options;
}
