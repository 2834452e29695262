#pragma once
// Writes a list as a column-aligned text file (SaveListviewProperlySpaced): a header line,
// then one line per checked row; every cell padded with blanks to its column's width and
// closed by a tab; CR LF after every line; UTF-8 without a byte-order mark.
//
// The file is written beside the target and put in its place only when complete, so a
// failed or interrupted save leaves an existing file as it was and no partial file.

#include "core/ErrorTrap.h"
#include "core/EventPump.h"
#include "core/ListSource.h"
#include "core/Platform.h"
#include "core/ProgressIndicator.h"

#include <QFileDevice>

#include <memory>

class AlignedTextWriter {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* writeAlignedTextLocation =
        "in Marrowby2021/08/31.Main.SaveListviewProperlySpaced ";

    AlignedTextWriter(Platform& platform, ProgressIndicator* progress);

    // Returns true when the whole file was written; every failure was reported.
    bool SaveListviewProperlySpaced(const ListSource& list, const QString& fileName);

private:
    void showProgress(int line, double position, const QString& text);
    std::unique_ptr<QFileDevice> open(const QString& fileName);
    bool writeRows(const ListSource& list, const std::vector<qsizetype>& widths);
    bool flush(int line, bool force);
    bool finish();
    QString writingText(qsizetype row = 0) const;

    Platform& platform_;
    ProgressIndicator* progress_;
    ErrorTrap trap_;
    EventPump pump_;
    QString fileName_;
    std::unique_ptr<QFileDevice> file_;
    QString pending_; // lines not yet written, written in large pieces
};
