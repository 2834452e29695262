#pragma once
// The window's save of a list as an aligned text file (SaveListviewProperlySpaced): the
// AlignedTextWriter's text, with the progress bar, the yields and the error reports of
// each numbered step around it. The file goes through an OutputTarget: an existing file is
// replaced only by a complete one.

#include "core/ErrorTrap.h"
#include "core/EventPump.h"
#include "core/ListSource.h"
#include "core/Platform.h"
#include "core/ProgressIndicator.h"

#include <QString>

class AlignedTextSave {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* writeAlignedTextLocation =
        "in Marrowby2021/08/31.Main.SaveListviewProperlySpaced ";

    // progress: the bar to move, or none.
    AlignedTextSave(Platform& platform, ProgressIndicator* progress);

    // Returns true when the whole file is in place; every failure was reported at its line.
    bool SaveListviewProperlySpaced(const ListSource& list, const QString& fileName);

private:
    void showProgress(int line, double position, const QString& text);
    void showRow(const ListSource& list, qsizetype row);
    QString writingText(qsizetype row = 0) const;

    ProgressIndicator* progress_;
    ErrorTrap trap_;
    EventPump pump_;
    QString fileName_;
};
