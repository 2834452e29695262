#include "SpreadsheetProbe.h"

#include <QProcess>
#include <QStandardPaths>

namespace SpreadsheetProbe {

namespace {

constexpr int xdgMimeTimeoutMs = 3000;

bool hasDefaultXlsxApplication(const QString& xdgMime) {
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QString::fromLatin1(xlsxMimeType)});
    if (!query.waitForFinished(xdgMimeTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitCode() == 0 && !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

std::optional<SpreadsheetProgram> find(const QString& path) {
    const QStringList folders = path.split(u':', Qt::SkipEmptyParts);
    if (folders.isEmpty())
        return std::nullopt;
    // -n opens the workbook as a new, untitled document: the user decides where to save it.
    if (const QString calc = QStandardPaths::findExecutable(QStringLiteral("localc"), folders);
        !calc.isEmpty())
        return SpreadsheetProgram{calc, {QStringLiteral("-n")}};
    if (const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"), folders);
        !office.isEmpty())
        return SpreadsheetProgram{office, {QStringLiteral("--calc"), QStringLiteral("-n")}};
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"), folders);
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"), folders);
    if (!xdgMime.isEmpty() && !xdgOpen.isEmpty() && hasDefaultXlsxApplication(xdgMime))
        return SpreadsheetProgram{xdgOpen, {}};
    return std::nullopt;
}

} // namespace SpreadsheetProbe
