#include "output/AlignedTextWriter.h"

#include "core/AppError.h"
#include "core/RowLoop.h"
#include "core/ScopeExit.h"
#include "output/ColumnLayout.h"
#include "output/OutputTarget.h"

#include <QFileInfo>

#include <memory>

namespace {

constexpr qsizetype flushThreshold = 1 << 19; // characters held before they are written

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
    const Step trapped = [this](int line, const std::function<void()>& action) {
        return trap_.step(line, action);
    };
    showProgress(102, 1, writingText());
    std::vector<qsizetype> widths;
    trap_.step(110,
               [&] { widths = ColumnLayout::widths(list, ColumnLayout::Headers::Counted, pump_); });
    showProgress(144, 10, writingText());
    std::unique_ptr<OutputTarget> target;
    if (!trap_.step(156, [&] { target = std::make_unique<OutputTarget>(fileName); }))
        return false;
    if (!writeLines(list, widths, *target, trapped))
        return false; // the target, cancelled, leaves an old file as it was
    if (progress_) {
        progress_->setValue(100);                    // 228
        progress_->setText(QStringLiteral("Done.")); // 230
    }
    // Putting the file in place waits for the disk: the window goes on meanwhile.
    return trap_.step(232, [&] { pump_.runBeside([&] { target->commit(); }); });
}

void AlignedTextWriter::write(const ListSource& list, QIODevice& device, const QString& name) {
    fileName_ = name;
    const Step direct = [](int, const std::function<void()>& action) {
        action();
        return true;
    };
    writeLines(list, ColumnLayout::widths(list, ColumnLayout::Headers::Counted, pump_), device,
               direct);
}

// 158-222: the header line, then a line per checked row.
bool AlignedTextWriter::writeLines(const ListSource& list, const std::vector<qsizetype>& widths,
                                   QIODevice& device, const Step& step) {
    pending_.clear();
    for (int c = 0; c < list.columns(); ++c) // 158-166
        ColumnLayout::appendCell(pending_, list.header(c), widths[std::size_t(c)]);
    pending_ += QStringLiteral("\r\n");
    if (!flush(170, true, device, step))
        return false;
    showProgress(174, 20, writingText());
    return writeRows(list, widths, device, step) && flush(222, true, device, step);
}

bool AlignedTextWriter::writeRows(const ListSource& list, const std::vector<qsizetype>& widths,
                                  QIODevice& device, const Step& step) {
    // 182: the count read once; 184: the yield. A list cleared meanwhile: the file ends
    // with what was read.
    RowLoop loop(list, pump_);
    for (qsizetype r; loop.next(r);) {
        if (loop.yielded() && progress_) { // 212-220
            const qsizetype rowsNow = list.rows();
            progress_->setValue(double(rowsNow / 2000 + r + 1) / double(rowsNow) * 100.0);
            progress_->setText(writingText(r + 1));
            pump_.yield();
            if (r >= list.rows())
                break; // the list was cleared while the bar showed the row
        }
        if (!list.checked(r)) // 188
            continue;
        const int columns = std::min(list.columns(), int(widths.size()));
        for (int c = 0; c < columns; ++c) // 190-206
            ColumnLayout::appendCell(pending_, list.cell(r, c), widths[std::size_t(c)]);
        pending_ += QStringLiteral("\r\n");
        if (!flush(222, false, device, step))
            return false;
    }
    return true;
}

bool AlignedTextWriter::flush(int line, bool force, QIODevice& device, const Step& step) {
    if (!force && pending_.size() < flushThreshold)
        return true;
    return step(line, [&] {
        const QByteArray bytes = pending_.toUtf8();
        pending_.clear();
        if (device.write(bytes) != bytes.size())
            throw AppError(
                QStringLiteral("Cannot write %1: %2").arg(fileName_, device.errorString()));
    });
}
