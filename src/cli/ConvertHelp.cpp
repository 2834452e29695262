#include "cli/ConvertHelp.h"

#include "cli/ConvertOptionTable.h"
#include "convert/ZipColumns.h"

#include <QStringList>

namespace {

constexpr qsizetype helpIndent = 21; // where the descriptions of --help begin
constexpr qsizetype helpWidth = 89;  // no line of --help is longer

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

} // namespace

namespace ConvertHelp {

QString usage() {
    QString line = QStringLiteral("usage: quellist-convert");
    for (const OptionDeclaration& option : optionDeclarations()) {
        if (option.before)
            line += QStringLiteral("\n        ");
        if (*option.usage)
            line += u' ' + QLatin1String(option.usage);
    }
    return line + QStringLiteral(" [FILE...]");
}

QString text() {
    QString text = usage() + QStringLiteral(R"(

Converts lists of US zip codes and "City, ST" entries as Quellist's window does: every zip
code becomes its city and state, every city and state all the zip codes of that place.
Entries are read from the FILEs (none, or "-": standard input) one per line; LF, CR LF
and CR all end a line. Binary input is refused; a line over 65,536 characters is skipped.
A line of two decimal degrees, latitude first ("42.8656,-71.3772"), is a point.

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

} // namespace ConvertHelp
