#include "SaveOptionSetting.h"

#include "AppError.h"

#include <QSettings>

namespace {

const QString key = QStringLiteral("Save Option");

} // namespace

QString SaveOptionSetting::read(const QString& defaultText) {
    const QSettings settings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist"));
    const QVariant value = settings.value(key);
    return value.isValid() ? value.toString() : defaultText;
}

void SaveOptionSetting::write(const QString& text) {
    QSettings settings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist"));
    settings.setValue(key, text);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw AppError(QStringLiteral("The setting \"Save Option\" could not be written to %1")
                           .arg(settings.fileName()));
}
