#include "output/AlignedTextWriter.h"

#include "core/AppError.h"
#include "core/RowLoop.h"
#include "output/ColumnLayout.h"

namespace {

constexpr qsizetype flushThreshold = 1 << 19; // characters held before they are written

} // namespace

AlignedTextWriter::AlignedTextWriter(const ListSource& list, QString name, Pacing& pacing)
    : list_(list)
    , name_(std::move(name))
    , pacing_(pacing)
    , widths_(ColumnLayout::widths(list, ColumnLayout::Headers::Counted, pacing)) {}

void AlignedTextWriter::writeHeader(QIODevice& device) {
    pending_.clear();
    const int columns = std::min(list_.columns(), int(widths_.size()));
    for (int c = 0; c < columns; ++c)
        ColumnLayout::appendCell(pending_, list_.header(c), widths_[std::size_t(c)]);
    pending_ += QStringLiteral("\r\n");
    flush(device, true);
}

void AlignedTextWriter::writeRows(QIODevice& device, const RowProgress& progress) {
    RowLoop loop(list_, pacing_);
    for (qsizetype r; loop.next(r);) {
        if (loop.yielded() && progress) {
            progress(r);
            if (r >= list_.rows())
                break; // the list was cleared while the bar showed the row
        }
        if (!list_.checked(r))
            continue;
        const int columns = std::min(list_.columns(), int(widths_.size()));
        for (int c = 0; c < columns; ++c)
            ColumnLayout::appendCell(pending_, list_.cell(r, c), widths_[std::size_t(c)]);
        pending_ += QStringLiteral("\r\n");
        flush(device, false);
    }
    flush(device, true);
}

void AlignedTextWriter::flush(QIODevice& device, bool force) {
    if (!force && pending_.size() < flushThreshold)
        return;
    const QByteArray bytes = pending_.toUtf8();
    pending_.clear();
    if (device.write(bytes) != bytes.size())
        throw AppError(QStringLiteral("Cannot write %1: %2").arg(name_, device.errorString()));
}
