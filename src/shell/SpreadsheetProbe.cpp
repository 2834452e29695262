#include "shell/SpreadsheetProbe.h"

#include <QProcess>
#include <QStandardPaths>

#include <utility>

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
    // Gnumeric has no such switch; it is taken only where no LibreOffice is installed.
    const std::pair<const char*, QStringList> programs[] = {
        {"localc", {QStringLiteral("-n")}},
        {"soffice", {QStringLiteral("--calc"), QStringLiteral("-n")}},
        {"libreoffice", {QStringLiteral("--calc"), QStringLiteral("-n")}},
        {"gnumeric", {}},
    };
    for (const auto& [name, arguments] : programs)
        if (const QString found =
                QStandardPaths::findExecutable(QString::fromLatin1(name), folders);
            !found.isEmpty())
            return SpreadsheetProgram{found, arguments};
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"), folders);
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"), folders);
    if (!xdgMime.isEmpty() && !xdgOpen.isEmpty() && hasDefaultXlsxApplication(xdgMime))
        return SpreadsheetProgram{xdgOpen, {}};
    return std::nullopt;
}

} // namespace SpreadsheetProbe
