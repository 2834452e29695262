#pragma once
// Every option of quellist-convert and every exit status, declared once: the parser, the
// usage line and --help are made from these tables, and a test holds the manual's OPTIONS
// to them. A new option is one row here (and its field in ConvertOptions).

#include <QString>

#include <span>

struct ConvertOptions;

struct OptionDeclaration {
    const char* names;  // its spellings as --help shows them: "-o, --output"
    const char* value;  // what it takes ("FILE"); nullptr for a switch
    const char* usage;  // its piece of the usage line
    const char* help;   // its lines in --help, "\n" between them; "{fields}": the zip data's
                        // fields, the lines then laid out anew
    const char* before; // a paragraph that opens a group before it in --help, or nullptr
    // Takes the option (and its value) into the options; false, with error set, when it
    // refuses the value. name: the spelling given.
    bool (*take)(ConvertOptions& options, const QString& name, const QString& value,
                 QString& error);
};

struct ExitStatusDeclaration {
    int status;
    const char* meaning;
};

std::span<const OptionDeclaration> optionDeclarations();
std::span<const ExitStatusDeclaration> exitStatusDeclarations();
