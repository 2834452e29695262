#include "cli/BufferedOutput.h"

BufferedOutput::BufferedOutput(const QString& path)
    : target_(path) {
    pending_.reserve(flushBytes + (flushBytes >> 2));
    open(QIODevice::WriteOnly);
}

void BufferedOutput::flush() {
    if (!pending_.empty())
        writer_.submit(pending_);
}

void BufferedOutput::writePiece(std::string_view bytes) {
    if (target_.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw OutputFailure(
            QStringLiteral("cannot write %1: %2").arg(target_.name(), target_.errorString()),
            target_.brokenPipe());
}

void BufferedOutput::commit() {
    flush();
    writer_.drain();
    try {
        target_.commit();
    } catch (const AppError& failure) {
        throw OutputFailure(failure.description(), false);
    }
}

qint64 BufferedOutput::writeData(const char* data, qint64 size) {
    try {
        append(QByteArrayView(data, size));
        return size;
    } catch (const OutputFailure& failure) {
        deviceFailure_ = std::current_exception();
        setErrorString(failure.description());
        return -1;
    }
}

void BufferedOutput::rethrowDeviceFailure() const {
    if (deviceFailure_)
        std::rethrow_exception(deviceFailure_);
}
