#pragma once
// What an option asks of the others, declared beside it in the option table and checked
// by one routine once every argument is read: an option that needs another, needs all of
// some, or cannot stand with one. Options are named by their long spelling; "--format=csv"
// names an option given with that value, and words in parentheses after a name are shown
// in the message only ("--column (the zip's)").

#include <QHash>
#include <QString>

#include <span>

struct ConvertOptions;

struct OptionRule {
    enum Kind {
        Needs,    // one of others must be given
        NeedsAll, // all of others must be given; %1 in the message: those missing
        Excludes, // none of others may be given
        Refuses,  // refused where holds() says so
    };
    Kind kind;
    const char* others;           // " | " between names
    const char* message;          // the refusal, as the user reads it
    const char* values = nullptr; // the option's own values the rule holds for ("xlsx|rows")
    const char* unless = nullptr; // an option whose presence lifts the rule
    bool (*holds)(const ConvertOptions& options) = nullptr; // Refuses: when it refuses
};

// The options given, by long name, each with its value (empty for a switch).
using GivenOptions = QHash<QString, QString>;

// The first rule broken by an option of the table, in the table's order: its message;
// empty when every rule holds.
QString brokenRule(const GivenOptions& given, const ConvertOptions& options);
