#include "output/AlignedTextWriter.h"

#include "core/AppError.h"
#include "core/RowLoop.h"
#include "core/ScopeExit.h"
#include "output/ColumnLayout.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

constexpr qsizetype flushThreshold = 1 << 19; // characters held before they are written

// Why a write failed, in the file system's own words. Qt loses the reason of a failed
// buffered write ("Unknown error"); errno still holds it ("File too large").
QString writeFailure(const QFileDevice& file, int savedErrno) {
    const QString qtReason = file.errorString();
    if (savedErrno != 0 && (qtReason.isEmpty() || qtReason == QStringLiteral("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(savedErrno));
    return qtReason;
}

std::unique_ptr<QFileDevice> makeTarget(const QString& fileName) {
    const QFileInfo target(fileName);
    if (target.isDir())
        throw AppError(QStringLiteral("Cannot create %1: it is a folder").arg(fileName));
    // Found out now, not after the whole file was written beside it.
    if (target.fileName().toUtf8().size() > NAME_MAX)
        throw AppError(QStringLiteral("Cannot create %1: the name is too long").arg(fileName));
    if (target.exists() && !target.isWritable())
        throw AppError(QStringLiteral("Cannot create %1: permission denied").arg(fileName));
    // A device (such as /dev/null) is written in place: renaming over it would replace it.
    if (target.exists() && !target.isFile())
        return std::make_unique<QFile>(fileName);
    return std::make_unique<QSaveFile>(fileName);
}

} // namespace

AlignedTextWriter::AlignedTextWriter(Platform& platform, ProgressIndicator* progress)
    : platform_(platform)
    , progress_(progress)
    , trap_(platform, QString::fromLatin1(writeAlignedTextLocation))
    , pump_(platform) {}

QString AlignedTextWriter::writingText(qsizetype row) const {
    QString text = QStringLiteral("Writing file: ") + QFileInfo(fileName_).fileName();
    if (row >= 1000)
        text += QStringLiteral(" (%1)").arg(row / 1000 * 1000);
    return text;
}

void AlignedTextWriter::showProgress(int line, double position, const QString& text) {
    if (!progress_)
        return;
    trap_.step(line, [&] {
        pump_.yield();
        progress_->setValue(position);
        progress_->setText(text);
        pump_.yield();
    });
}

bool AlignedTextWriter::SaveListviewProperlySpaced(const ListSource& list,
                                                   const QString& fileName) {
    fileName_ = fileName;
    // Whatever ends the save, the bar goes back to rest.
    const ScopeExit resetProgress([this] {
        if (progress_)
            progress_->reset();
    });

    showProgress(102, 1, writingText());
    std::vector<qsizetype> widths;
    trap_.step(110,
               [&] { widths = ColumnLayout::widths(list, ColumnLayout::Headers::Counted, pump_); });
    showProgress(144, 10, writingText());
    if (!trap_.step(156, [&] { file_ = open(fileName); }))
        return false;
    for (int c = 0; c < list.columns(); ++c) // 158-166
        ColumnLayout::appendCell(pending_, list.header(c), widths[std::size_t(c)]);
    pending_ += QStringLiteral("\r\n");
    if (!flush(170, true))
        return false;
    showProgress(174, 20, writingText());
    return writeRows(list, widths) && finish();
}

std::unique_ptr<QFileDevice> AlignedTextWriter::open(const QString& fileName) {
    std::unique_ptr<QFileDevice> file = makeTarget(fileName);
    // Unbuffered: a failing write shows at once, at the line that wrote.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw AppError(QStringLiteral("Cannot create %1: %2").arg(fileName, file->errorString()));
    return file;
}

bool AlignedTextWriter::writeRows(const ListSource& list, const std::vector<qsizetype>& widths) {
    // 182: the count read once; 184: the yield. A list cleared meanwhile: the file ends
    // with what was read.
    RowLoop loop(list, pump_);
    for (qsizetype r; loop.next(r);) {
        if (loop.yielded() && progress_) { // 212-220
            const qsizetype rowsNow = list.rows();
            progress_->setValue(double(rowsNow / 2000 + r + 1) / double(rowsNow) * 100.0);
            progress_->setText(writingText(r + 1));
            pump_.yield();
        }
        if (!list.checked(r)) // 188
            continue;
        const int columns = std::min(list.columns(), int(widths.size()));
        for (int c = 0; c < columns; ++c) // 190-206
            ColumnLayout::appendCell(pending_, list.cell(r, c), widths[std::size_t(c)]);
        pending_ += QStringLiteral("\r\n");
        if (!flush(222, false))
            return false;
    }
    return true;
}

bool AlignedTextWriter::flush(int line, bool force) {
    if (!force && pending_.size() < flushThreshold)
        return true;
    return trap_.step(line, [&] {
        const QByteArray bytes = pending_.toUtf8();
        pending_.clear();
        errno = 0;
        if (file_->write(bytes) != bytes.size())
            throw AppError(
                QStringLiteral("Cannot write %1: %2").arg(fileName_, writeFailure(*file_, errno)));
    });
}

bool AlignedTextWriter::finish() {
    if (!flush(222, true))
        return false;
    if (progress_) {
        progress_->setValue(100);                    // 228
        progress_->setText(QStringLiteral("Done.")); // 230
    }
    return trap_.step(232, [&] {
        auto* saveFile = dynamic_cast<QSaveFile*>(file_.get());
        bool closed = true;
        int closeErrno = 0;
        // Putting the file in place waits for the disk: the window goes on meanwhile.
        pump_.runBeside([&] {
            errno = 0;
            if (saveFile)
                closed = saveFile->commit();
            else
                file_->close();
            closeErrno = errno;
        });
        if (!closed || file_->error() != QFileDevice::NoError)
            throw AppError(QStringLiteral("Cannot write %1: %2")
                               .arg(fileName_, writeFailure(*file_, closeErrno)));
    });
}
