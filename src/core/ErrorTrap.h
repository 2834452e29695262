#pragma once
// The error trap every command runs under. A trapped procedure runs numbered steps;
// when a step throws, the trap shows the "Application Error" report naming the failure,
// the procedure's location text and the step's line number, and the procedure goes on
// with its next step. WindowClosed is not trapped: it ends the command.

#include "core/AppError.h"
#include "core/Platform.h"

#include <QString>

#include <exception>

class ErrorTrap {
public:
    ErrorTrap(Platform& platform, QString location);

    // Runs one numbered step. Returns false when it failed (after the report was shown).
    template <typename Action> bool step(int line, Action&& action) {
        line_ = line;
        try {
            action();
            return true;
        } catch (const std::exception& failure) {
            report(AppError::describe(failure));
            return false;
        }
    }

    // Shows the report for a failure found without an exception, at the current line.
    void report(const QString& description);

    static QString reportText(const QString& description, const QString& location, int line);

private:
    Platform& platform_;
    QString location_;
    int line_ = 0;
};
