// quellist-convert: the conversion of Quellist's window for scripts and lists of any size.

#include "cli/ConsoleMessage.h"
#include "cli/ConvertCommand.h"
#include "cli/ConvertHelp.h"
#include "cli/ConvertOptions.h"
#include "cli/VersionText.h"
#include "core/AppError.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The arguments and the program's folder come from the application made in main().
int run() {
    std::signal(SIGPIPE, SIG_IGN); // a closed pipe shows as a failed write, ended quietly
    QString error;
    const QString database =
        QCoreApplication::applicationDirPath() + QStringLiteral("/zipbase.mdb");
    const auto options =
        ConvertOptions::parse(QCoreApplication::arguments().mid(1), database, error);
    if (!options) {
        print(stderr,
              QStringLiteral("quellist-convert: %1\n%2\n").arg(error, ConvertHelp::usage()));
        return ExitStatus::usage;
    }
    if (options->help) {
        print(stdout, ConvertHelp::text());
        return ExitStatus::done;
    }
    if (options->version) {
        print(stdout, QStringLiteral(QUELLIST_CONVERT_VERSION_TEXT));
        return ExitStatus::done;
    }
    return ConvertCommand(*options).run();
}

} // namespace

// The last line of defence: what no command caught (memory running out) ends the run with
// one line and status 4, after the outputs, unwound unfinished, left old files whole.
int main(int argc, char** argv) {
    try {
        const QCoreApplication app(argc, argv);
        return run();
    } catch (const std::exception& failure) {
        ConsoleMessage::say(AppError::describe(failure));
        return ExitStatus::file;
    }
}
