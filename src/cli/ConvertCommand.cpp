#include "cli/ConvertCommand.h"

#include "cli/BufferedOutput.h"
#include "cli/ConsoleMessage.h"
#include "cli/ConvertRun.h"
#include "convert/ZipDatabase.h"

ConvertCommand::ConvertCommand(const ConvertOptions& options)
    : options_(options) {}

int ConvertCommand::run() {
    try {
        return ConvertRun::make(options_)->run();
    } catch (const OutputFailure& failure) {
        if (failure.brokenPipe)
            return ExitStatus::done; // the reader has all it wanted
        ConsoleMessage::say(failure.description());
        return ExitStatus::file;
    } catch (const DatabaseFault& failure) {
        ConsoleMessage::say(failure.description());
        return ExitStatus::database;
    } catch (const AppError& failure) {
        ConsoleMessage::say(failure.description());
        return ExitStatus::file;
    }
}
