#pragma once
// The one remembered choice: the save option's text, kept in the per-user settings
// store of the platform (application "Tarnwell", section "Quellist", key "Save Option"),
// exactly as the
// box shows it. Read once at start-up; written, and synced, at every change of the box.

#include "core/Platform.h"

#include <QString>

class SaveOptionSetting {
public:
    static QString read(Platform& platform, const QString& defaultText);
    // Throws AppError when the store cannot be written.
    static void write(Platform& platform, const QString& text);
};
