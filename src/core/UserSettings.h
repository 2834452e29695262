#pragma once
// The per-user settings store on disk (organisation "Tarnwell", application "Quellist"),
// for the platforms to keep settings in: the window's platform, and the scripted one of
// the tests, which checks the files the window leaves behind.

#include <QString>

#include <optional>

namespace UserSettings {

std::optional<QString> read(const QString& key);
// False when the store cannot be written.
bool write(const QString& key, const QString& text);
QString fileName();

} // namespace UserSettings
