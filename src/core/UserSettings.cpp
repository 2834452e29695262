#include "core/UserSettings.h"

#include <QSettings>

namespace {

QSettings store() {
    return QSettings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist"));
}

} // namespace

namespace UserSettings {

std::optional<QString> read(const QString& key) {
    const QVariant value = store().value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

bool write(const QString& key, const QString& text) {
    QSettings settings = store();
    settings.setValue(key, text);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString fileName() {
    return store().fileName();
}

} // namespace UserSettings
