#pragma once
// The one remembered choice: the save option's text, kept in the per-user settings
// store (application "Tarnwell", section "Quellist", key "Save Option") exactly as the
// box shows it. Read once at start-up; written, and synced, at every change of the box.

#include <QString>

class SaveOptionSetting {
public:
    static QString read(const QString& defaultText);
    // Throws AppError when the store cannot be written.
    static void write(const QString& text);
};
