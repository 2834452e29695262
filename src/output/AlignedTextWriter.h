#pragma once
// Writes a list as a column-aligned text file: a header line, then one line per checked
// row; every cell padded with blanks to its column's width and closed by a tab; CR LF
// after every line; UTF-8 without a byte-order mark. A plain writer over a device: the
// window's save (AlignedTextSave) adds the bar, the yields and the messages around it;
// the converter writes with it as it is.

#include "core/ListSource.h"
#include "core/Pacing.h"

#include <QIODevice>
#include <QString>

#include <functional>
#include <vector>

class AlignedTextWriter {
public:
    // Told at each yield of the rows' walk, with the row about to be written.
    using RowProgress = std::function<void(qsizetype row)>;

    // Measures the columns over every row, the headers counted. name: the device as
    // messages call it.
    AlignedTextWriter(const ListSource& list, QString name, Pacing& pacing = Pacing::none());

    // Each throws AppError ("Cannot write NAME: why") on the first failed write.
    void writeHeader(QIODevice& device);
    // A list cleared meanwhile: the file ends with what was read.
    void writeRows(QIODevice& device, const RowProgress& progress = {});
    void write(QIODevice& device) {
        writeHeader(device);
        writeRows(device);
    }

private:
    void flush(QIODevice& device, bool force);

    const ListSource& list_;
    QString name_;
    Pacing& pacing_;
    std::vector<qsizetype> widths_;
    QString pending_; // lines not yet written, written in large pieces
};
