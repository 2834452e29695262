#include "core/ErrorTrap.h"

#include "core/AppError.h"
#include "core/BuildSettings.h"

#include <new>

ErrorTrap::ErrorTrap(Platform& platform, QString location)
    : platform_(platform)
    , location_(std::move(location)) {}

void ErrorTrap::report(const QString& description) {
    platform_.showMessage(reportText(description, location_, line_), MessageButtons::Ok,
                          MessageIcon::Warning, QStringLiteral("Application Error"));
}

QString ErrorTrap::reportText(const QString& description, const QString& location, int line) {
    return description + QStringLiteral("\r\n") + location + QStringLiteral("at line ") +
           QString::number(line) + QStringLiteral("\r\r") +
           QStringLiteral("Please email screenshot of this message to ") +
           QString::fromUtf8(BuildSettings::supportEmail);
}
