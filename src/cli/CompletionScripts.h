#pragma once
// Completion for the shells (bash, zsh, fish), made from the option table when the program
// is built, as --help and the usage line are: every spelling of every option, and for an
// option's value its words (--format, --save, --input-format), a comma list of words
// (--fields), a file (-o, --unmatched, --database) or a column named in the header of the
// table on the command line (--column and its kin).

#include <QString>
#include <QStringList>

namespace CompletionScripts {

QStringList optionNames();
QString bash();
QString zsh();
QString fish();

} // namespace CompletionScripts
