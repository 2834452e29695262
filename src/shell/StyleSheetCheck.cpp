#include "shell/StyleSheetCheck.h"

namespace StyleSheetCheck {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_';
}

// The sheet with its comments and strings blanked out (line ends kept), so that only the
// structure is left to look at. Empty plus a problem when one of them is not closed.
QString structureOf(QStringView sheet, QString& problem) {
    QString bare;
    bare.reserve(sheet.size());
    int line = 1;
    for (qsizetype i = 0; i < sheet.size(); ++i) {
        const QChar c = sheet[i];
        if (c == u'/' && i + 1 < sheet.size() && sheet[i + 1] == u'*') {
            const qsizetype end = sheet.indexOf(u"*/", i + 2);
            if (end < 0) {
                problem = QStringLiteral("line %1: a comment is not closed").arg(line);
                return {};
            }
            for (QChar inside : sheet.sliced(i, end + 2 - i))
                bare += inside == u'\n' ? u'\n' : u' ';
            line += int(sheet.sliced(i, end + 2 - i).count(u'\n'));
            i = end + 1;
        } else if (c == u'"' || c == u'\'') {
            qsizetype end = i + 1;
            while (end < sheet.size() && sheet[end] != c && sheet[end] != u'\n')
                end += sheet[end] == u'\\' ? 2 : 1;
            if (end >= sheet.size() || sheet[end] != c) {
                problem = QStringLiteral("line %1: a string is not closed").arg(line);
                return {};
            }
            bare += QString(end + 1 - i, u'x'); // a value, as far as the structure goes
            i = end;
        } else {
            line += c == u'\n' ? 1 : 0;
            bare += c;
        }
    }
    return bare;
}

// One "name: value" declaration (or nothing but blanks).
bool isDeclaration(QStringView text) {
    text = text.trimmed();
    if (text.isEmpty())
        return true;
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return false;
    const QStringView name = text.first(colon).trimmed();
    for (QChar c : name)
        if (!isNameChar(c))
            return false;
    return !name.isEmpty() && !text.sliced(colon + 1).trimmed().isEmpty();
}

// Declarations separated by ";", parentheses in pairs within each.
QString checkBlock(QStringView block, int line) {
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= block.size(); ++i) {
        const QChar c = i < block.size() ? block[i] : QChar(u';');
        if (c == u'(')
            ++depth;
        else if (c == u')' && --depth < 0)
            return QStringLiteral("line %1: a \")\" closes nothing").arg(line);
        if (c == u';' && depth == 0) {
            if (!isDeclaration(block.sliced(start, i - start)))
                return QStringLiteral("line %1: \"%2\" is not a declaration (name: value)")
                    .arg(QString::number(line), block.sliced(start, i - start).trimmed());
            start = i + 1;
        }
        if (c == u'\n')
            ++line;
    }
    return depth > 0 ? QStringLiteral("line %1: a \"(\" is not closed").arg(line) : QString();
}

} // namespace

QString problem(QStringView sheet) {
    QString found;
    const QString bare = structureOf(sheet, found);
    if (!found.isEmpty())
        return found;
    if (!bare.contains(u'{') && !bare.contains(u'}'))
        return checkBlock(bare, 1); // declarations alone apply to the window itself
    int line = 1;
    qsizetype ruleStart = 0;
    for (qsizetype open = bare.indexOf(u'{'); ruleStart < bare.size();) {
        const QStringView before =
            QStringView(bare).sliced(ruleStart, (open < 0 ? bare.size() : open) - ruleStart);
        const int ruleLine = line + int(before.count(u'\n'));
        if (open < 0) {
            if (!before.trimmed().isEmpty() || before.contains(u'}'))
                return QStringLiteral("line %1: text after the last rule").arg(ruleLine);
            return {};
        }
        if (before.trimmed().isEmpty() || before.contains(u'}'))
            return QStringLiteral("line %1: a rule has no selector").arg(ruleLine);
        const qsizetype close = bare.indexOf(u'}', open + 1);
        const qsizetype nested = bare.indexOf(u'{', open + 1);
        if (close < 0 || (nested >= 0 && nested < close))
            return QStringLiteral("line %1: a rule's \"{\" is not closed").arg(ruleLine);
        QString inBlock =
            checkBlock(QStringView(bare).sliced(open + 1, close - open - 1), ruleLine);
        if (!inBlock.isEmpty())
            return inBlock;
        line = ruleLine + int(QStringView(bare).sliced(open, close - open).count(u'\n'));
        ruleStart = close + 1;
        open = bare.indexOf(u'{', ruleStart);
    }
    return {};
}

} // namespace StyleSheetCheck
