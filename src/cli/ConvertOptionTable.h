#pragma once
// Every option of quellist-convert and every exit status, declared once: the parser, the
// usage line, --help and the checks of what options ask of each other are made from
// these tables, and a test holds the manual's OPTIONS to them. An option is one row: its
// spellings, the value it takes (its choices or its range), its help, its rules, and the
// function that takes it into ConvertOptions.

#include "cli/OptionRule.h"

#include <QString>
#include <QStringList>

#include <span>

struct ConvertOptions;

// The numbers an option takes: above (or from) low, up to high.
struct ValueRange {
    double low;
    double high;
    bool lowIncluded;
    bool whole;          // whole numbers only
    const char* refusal; // %1: the value given
};

// What a shell completes after an option: nothing (a number), one of its words, a comma
// list of its words, a file, or a column of the table named on the command line.
enum class Completion { None, Words, CommaWords, File, Column };

struct OptionDeclaration {
    const char* names;  // its spellings as --help shows them: "-o, --output"
    const char* value;  // what it takes ("FILE"); nullptr for a switch
    const char* usage;  // its piece of the usage line
    const char* help;   // its lines in --help, "\n" between them; "{fields}": the zip data's
                        // fields, the lines then laid out anew
    const char* before; // a paragraph that opens a group before it in --help, or nullptr
    // Takes the option (and its value, checked against choices and range) into the
    // options; false, with error set, when it refuses the value. name: the spelling given.
    bool (*take)(ConvertOptions& options, const QString& name, const QString& value,
                 QString& error);
    QStringList (*choices)() = nullptr;  // the values it takes; any when null
    const char* choiceRefusal = nullptr; // %1: the choices, %2: the value given
    const ValueRange* range = nullptr;   // a number in this range
    std::span<const OptionRule> rules = {};
    Completion completes = Completion::None;
    QStringList (*words)() = nullptr; // Words, CommaWords: the words; else choices

    // The words a shell offers for its value.
    QStringList completionWords() const;

    // Every spelling: "-o" and "--output" of "-o, --output".
    QStringList spellings() const;
    // "--output" of "-o, --output": the name rules and GivenOptions know it by.
    QString longName() const;
};

struct ExitStatusDeclaration {
    int status;
    const char* meaning;
};

std::span<const OptionDeclaration> optionDeclarations();
std::span<const ExitStatusDeclaration> exitStatusDeclarations();
