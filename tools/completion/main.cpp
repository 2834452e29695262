// make_completions DIR: writes quellist-convert's completion for bash, zsh and fish into
// DIR, from its option table, when the program is built.

#include "cli/CompletionScripts.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace {

bool write(const QString& path, const QString& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size())
        return true;
    std::fprintf(stderr, "make_completions: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_completions DIR\n");
        return 2;
    }
    const QString dir = QFile::decodeName(argv[1]);
    const bool written =
        write(dir + QStringLiteral("/quellist-convert"), CompletionScripts::bash()) &&
        write(dir + QStringLiteral("/_quellist-convert"), CompletionScripts::zsh()) &&
        write(dir + QStringLiteral("/quellist-convert.fish"), CompletionScripts::fish());
    return written ? 0 : 1;
}
