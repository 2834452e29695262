#include "cli/ConvertOptions.h"

#include "convert/SaveOption.h"

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

} // namespace

QString ConvertOptions::usage() {
    return QStringLiteral("usage: quellist-convert [--save WHAT] [--format FORMAT] [-o FILE] "
                          "[--unmatched FILE] [--database PATH] [--strict] [--quiet] [FILE...]");
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
  --strict           exit with status 1 when some entries gave no row
  --quiet            no progress and no summary on standard error
  -h, --help         this text
  --version          the version and the zip data's sources

Exit status: 0 done; 1 unmatched entries with --strict; 2 usage error; 3 the database is
missing or broken; 4 an input or output file could not be read or written.
)");
}

std::optional<ConvertOptions>
ConvertOptions::parse(const QStringList& args, const QString& defaultDatabase, QString& error) {
    ConvertOptions options;
    options.database = defaultDatabase;
    bool onlyFiles = false;
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
    if (options.format == OutputFormat::Xlsx && options.output == QStringLiteral("-") &&
        !options.help && !options.version) {
        error = QStringLiteral("--format xlsx writes a workbook file: name it with -o FILE");
        return std::nullopt;
    }
    return options;
}
