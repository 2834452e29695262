#include "output/SaveOptionSetting.h"

#include "core/AppError.h"

namespace {

const QString key = QStringLiteral("Save Option");

} // namespace

QString SaveOptionSetting::read(Platform& platform, const QString& defaultText) {
    return platform.readSetting(key).value_or(defaultText);
}

void SaveOptionSetting::write(Platform& platform, const QString& text) {
    if (!platform.writeSetting(key, text))
        throw AppError(QStringLiteral("The setting \"Save Option\" could not be written to %1")
                           .arg(platform.settingsStore()));
}
