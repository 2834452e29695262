#pragma once
// The text "Copy Results To Clipboard" places: one line per checked row, cells padded and
// tab-separated, blanks at line ends removed, CR LF after every line. A plain text
// builder: the window's ClipboardCopy yields while it builds, the converter's rows don't.

#include "core/ListSource.h"
#include "core/Pacing.h"
#include "output/ColumnLayout.h"

#include <QString>

class ClipboardText {
public:
    // A list cleared during a yield: the text ends with what was read.
    static QString of(const ListSource& list, Pacing& pacing = Pacing::none());

private:
    static qsizetype exactLength(const ColumnLayout::Measure& layout);
};
