#pragma once
// Writes a list as a column-aligned text file (SaveListviewProperlySpaced): a header line,
// then one line per checked row; every cell padded with blanks to its column's width and
// closed by a tab; CR LF after every line; UTF-8 without a byte-order mark.
//
// The window's save goes through an OutputTarget: an existing file is replaced only by a
// complete one. The converter writes the same text into a target of its own.

#include "core/ErrorTrap.h"
#include "core/EventPump.h"
#include "core/ListSource.h"
#include "core/Platform.h"
#include "core/ProgressIndicator.h"

#include <QIODevice>

#include <functional>
#include <vector>

class AlignedTextWriter {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* writeAlignedTextLocation =
        "in Marrowby2021/08/31.Main.SaveListviewProperlySpaced ";

    AlignedTextWriter(Platform& platform, ProgressIndicator* progress);

    // The window's save. Returns true when the whole file is in place; every failure was
    // reported at its line.
    bool SaveListviewProperlySpaced(const ListSource& list, const QString& fileName);
    // The same text into an open device, which messages call name. Throws AppError on the
    // first failure.
    void write(const ListSource& list, QIODevice& device, const QString& name);

private:
    // Runs one numbered step of the writing; false when it failed.
    using Step = std::function<bool(int line, const std::function<void()>& action)>;

    void showProgress(int line, double position, const QString& text);
    bool writeLines(const ListSource& list, const std::vector<qsizetype>& widths, QIODevice& device,
                    const Step& step);
    bool writeRows(const ListSource& list, const std::vector<qsizetype>& widths, QIODevice& device,
                   const Step& step);
    bool flush(int line, bool force, QIODevice& device, const Step& step);
    QString writingText(qsizetype row = 0) const;

    Platform& platform_;
    ProgressIndicator* progress_;
    ErrorTrap trap_;
    EventPump pump_;
    QString fileName_;
    QString pending_; // lines not yet written, written in large pieces
};
