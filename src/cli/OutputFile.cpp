#include "cli/OutputFile.h"

OutputFile::OutputFile(const QString& path)
    : target_(path) {
    pending_.reserve(flushBytes + (flushBytes >> 2));
}

void OutputFile::flush() {
    if (!pending_.empty())
        writer_.submit(pending_);
}

void OutputFile::write(std::string_view bytes) {
    if (target_.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw OutputFailure(
            QStringLiteral("cannot write %1: %2").arg(target_.name(), target_.errorString()),
            target_.brokenPipe());
}

void OutputFile::commit() {
    flush();
    writer_.drain();
    try {
        target_.commit();
    } catch (const AppError& failure) {
        throw OutputFailure(failure.description(), false);
    }
}
