#pragma once
// What the converter tells its user: one line on standard error, after its name.

#include <QString>

class ConsoleMessage {
public:
    // Writes "quellist-convert: <text>" and a line end to standard error.
    static void say(const QString& text);
};
