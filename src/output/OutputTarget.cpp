#include "output/OutputTarget.h"

#include "core/AppError.h"
#include "core/UnnamedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// The standard stream that the file is, if any: writing it by a second descriptor would
// overwrite what the stream has written, and renaming over it would orphan the stream.
int standardStreamOf(const struct stat& file) {
    for (int stream : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat opened {};
        if (fstat(stream, &opened) == 0 && opened.st_dev == file.st_dev &&
            opened.st_ino == file.st_ino)
            return stream;
    }
    return -1;
}

mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputTarget::OutputTarget(const QString& path)
    : name_(path == QStringLiteral("-") ? QStringLiteral("standard output") : path) {
    if (path == QStringLiteral("-")) {
        fd_ = STDOUT_FILENO;
    } else {
        struct stat existing {};
        // NOLINTNEXTLINE(bugprone-branch-clone): new files and regular ones, both beside
        if (::stat(native(path).constData(), &existing) != 0) {
            openBeside(path); // a new file
        } else if (S_ISDIR(existing.st_mode)) {
            failToCreate(QStringLiteral("it is a folder"));
        } else if (const int stream = standardStreamOf(existing); stream >= 0) {
            fd_ = stream;
        } else if (!S_ISREG(existing.st_mode)) {
            openInPlace(path);
        } else {
            openBeside(path);
        }
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

OutputTarget::~OutputTarget() {
    cancel();
}

void OutputTarget::failToCreate(const QString& why) const {
    throw AppError(QStringLiteral("Cannot create %1: %2").arg(name_, why));
}

void OutputTarget::openInPlace(const QString& path) {
    fd_ = ::open(native(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0)
        failToCreate(systemReason(errno));
    ownsFd_ = true;
}

// The new text goes into an unnamed file in the target's folder (O_TMPFILE), which the
// kernel removes by itself should the program die; commit() gives it the target's name.
void OutputTarget::openBeside(const QString& path) {
    const QFileInfo info(path);
    target_ = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QFileInfo target(target_);
    // Found out now, not after the whole file was written beside it.
    if (native(target.fileName()).size() > NAME_MAX)
        failToCreate(QStringLiteral("the name is too long"));
    if (target.exists() && ::access(native(target_).constData(), W_OK) != 0)
        failToCreate(QStringLiteral("permission denied"));
    const QByteArray folder = native(target.absolutePath());
    replacing_ = true;
    const UnnamedFile file = openUnnamedFile(folder, O_WRONLY, 0666,
                                             native(target.absolutePath() + QStringLiteral("/.") +
                                                    target.fileName() + QStringLiteral(".XXXXXX")));
    fd_ = file.fd;
    tempName_ = QFile::decodeName(file.named);
    if (fd_ >= 0 && !file.named.isEmpty())
        ::fchmod(fd_, newFileMode()); // made 0600, as a new file it takes the usual mode
    if (fd_ < 0)
        failToCreate(systemReason(errno));
    ownsFd_ = true;
    struct stat existing {};
    if (::stat(native(target_).constData(), &existing) == 0)
        ::fchmod(fd_, existing.st_mode & 07777); // the replaced file's permissions stay
}

QString OutputTarget::writablePath() const {
    if (!tempName_.isEmpty())
        return tempName_;
    return QStringLiteral("/proc/self/fd/%1").arg(fd_);
}

qint64 OutputTarget::writeData(const char* data, qint64 size) {
    qint64 written = 0;
    while (written < size) {
        const ssize_t now = ::write(fd_, data + written, std::size_t(size - written));
        if (now < 0 && errno == EINTR)
            continue;
        if (now < 0) {
            brokenPipe_ = errno == EPIPE;
            setErrorString(systemReason(errno));
            return -1;
        }
        written += now;
    }
    return written;
}

void OutputTarget::commit() {
    if (fd_ < 0)
        return;
    if (replacing_) {
        if (::fsync(fd_) != 0)
            failToWrite(errno);
        if (tempName_.isEmpty())
            linkIntoPlace();
        else if (::rename(native(tempName_).constData(), native(target_).constData()) != 0)
            failToWrite(errno);
        tempName_.clear();
    }
    release();
}

void OutputTarget::failToWrite(int error) {
    const QString why = systemReason(error);
    cancel();
    throw AppError(QStringLiteral("Cannot write %1: %2").arg(name_, why));
}

// An unnamed file cannot take a name over an existing one: it is linked under a fresh
// name beside the target, then renamed over it, which replaces the target in one step.
void OutputTarget::linkIntoPlace() {
    const QFileInfo target(target_);
    const QByteArray self = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(fd_);
    QByteArray fresh;
    for (int attempt = 0;; ++attempt) {
        fresh = native(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                       QStringLiteral(".") +
                       QString::number(QRandomGenerator::global()->generate(), 36));
        int linked =
            ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, fresh.constData(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT) // no /proc: only the privileged form is left
            linked = ::linkat(fd_, "", AT_FDCWD, fresh.constData(), AT_EMPTY_PATH);
        if (linked == 0)
            break;
        if (errno != EEXIST || attempt == 100)
            failToWrite(errno);
    }
    if (::rename(fresh.constData(), native(target_).constData()) != 0) {
        const int error = errno;
        ::unlink(fresh.constData());
        failToWrite(error);
    }
}

void OutputTarget::cancel() {
    if (!tempName_.isEmpty())
        ::unlink(native(tempName_).constData());
    tempName_.clear();
    release();
}

void OutputTarget::release() {
    if (ownsFd_ && fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    ownsFd_ = false;
    if (isOpen())
        QIODevice::close();
}
