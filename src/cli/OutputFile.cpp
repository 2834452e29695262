#include "cli/OutputFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

OutputFile::OutputFile(const QString& path)
    : name_(path.isEmpty() ? QStringLiteral("standard output") : path) {
    pending_.reserve(flushBytes + (flushBytes >> 2));
    if (path.isEmpty())
        return;
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        file_ = std::make_unique<QFile>(path);
    else
        file_ = std::make_unique<QSaveFile>(path);
    if (!file_->open(QIODevice::WriteOnly))
        throw OutputFailure(QStringLiteral("cannot create %1: %2").arg(path, file_->errorString()),
                            false);
}

void OutputFile::flush() {
    if (!pending_.empty())
        writer_.submit(pending_);
}

void OutputFile::write(std::string_view bytes) {
    if (!file_) {
        writeToStandardOutput(bytes);
        return;
    }
    errno = 0;
    if (file_->write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        const QString reason =
            errno ? QString::fromLocal8Bit(std::strerror(errno)) : file_->errorString();
        if (auto* saveFile = dynamic_cast<QSaveFile*>(file_.get()))
            saveFile->cancelWriting();
        throw OutputFailure(QStringLiteral("cannot write %1: %2").arg(name_, reason), false);
    }
}

void OutputFile::writeToStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            throw OutputFailure(QStringLiteral("cannot write %1: %2")
                                    .arg(name_, QString::fromLocal8Bit(std::strerror(errno))),
                                errno == EPIPE);
        bytes.remove_prefix(std::size_t(written));
    }
}

void OutputFile::commit() {
    flush();
    writer_.drain();
    if (!file_)
        return;
    auto* saveFile = dynamic_cast<QSaveFile*>(file_.get());
    errno = 0;
    const bool closed =
        saveFile ? saveFile->commit() : (file_->close(), file_->error() == QFileDevice::NoError);
    if (!closed)
        throw OutputFailure(QStringLiteral("cannot write %1: %2").arg(name_, file_->errorString()),
                            false);
}
