#include "output/AlignedTextSave.h"

#include "core/ScopeExit.h"
#include "output/AlignedTextWriter.h"
#include "output/OutputTarget.h"

#include <QFileInfo>

#include <memory>
#include <optional>

AlignedTextSave::AlignedTextSave(Platform& platform, ProgressIndicator* progress)
    : progress_(progress)
    , trap_(platform, QString::fromLatin1(writeAlignedTextLocation))
    , pump_(platform) {}

QString AlignedTextSave::writingText(qsizetype row) const {
    QString text = QStringLiteral("Writing file: ") + QFileInfo(fileName_).fileName();
    if (row >= 1000)
        text += QStringLiteral(" (%1)").arg(row / 1000 * 1000);
    return text;
}

void AlignedTextSave::showProgress(int line, double position, const QString& text) {
    if (!progress_)
        return;
    trap_.step(line, [&] {
        pump_.yield();
        progress_->setValue(position);
        progress_->setText(text);
        pump_.yield();
    });
}

// 212-220: at a yield of the rows' walk, the bar shows the row.
void AlignedTextSave::showRow(const ListSource& list, qsizetype row) {
    if (!progress_)
        return;
    const qsizetype rowsNow = list.rows();
    // A whole number of two-thousandths, as the window has always moved its bar.
    const qsizetype ahead = rowsNow / 2000; // NOLINT(bugprone-integer-division)
    progress_->setValue(double(ahead + row + 1) / double(rowsNow) * 100.0);
    progress_->setText(writingText(row + 1));
    pump_.yield();
}

bool AlignedTextSave::SaveListviewProperlySpaced(const ListSource& list, const QString& fileName) {
    fileName_ = fileName;
    // Whatever ends the save, the bar goes back to rest.
    const ScopeExit resetProgress([this] {
        if (progress_)
            progress_->reset();
    });
    showProgress(102, 1, writingText());
    std::optional<AlignedTextWriter> writer;
    if (!trap_.step(110, [&] { writer.emplace(list, fileName, pump_); }))
        return false; // no widths, no lines
    showProgress(144, 10, writingText());
    std::unique_ptr<OutputTarget> target;
    if (!trap_.step(156, [&] { target = std::make_unique<OutputTarget>(fileName); }))
        return false;
    // 158-222: the header line, then a line per checked row. A failed write leaves the
    // target cancelled, and an old file as it was.
    if (!trap_.step(170, [&] { writer->writeHeader(*target); }))
        return false;
    showProgress(174, 20, writingText());
    if (!trap_.step(222,
                    [&] { writer->writeRows(*target, [&](qsizetype r) { showRow(list, r); }); }))
        return false;
    if (progress_) {
        progress_->setValue(100);                    // 228
        progress_->setText(QStringLiteral("Done.")); // 230
    }
    // Putting the file in place waits for the disk: the window goes on meanwhile.
    return trap_.step(232, [&] { pump_.runBeside([&] { target->commit(); }); });
}
