#pragma once
// The column layout the aligned text file and the clipboard text share: every column as
// wide as its longest cell, a cell padded with blanks to that width and closed by a tab.

#include "core/ListSource.h"
#include "core/Pacing.h"

#include <QString>

#include <vector>

namespace ColumnLayout {

enum class Headers { Counted, Ignored };

struct Measure {
    std::vector<qsizetype> widths;
    qsizetype checkedRows = 0;
    // The checked rows' last cells without their trailing blanks: with the widths, the
    // exact length of the clipboard text, which is then built without regrowing.
    qsizetype trimmedLastCells = 0;
};

// The width of every column in characters, over all rows, unchecked ones too, and the
// header when counted. Yields (when due) before every row; rows that vanish during a
// yield end the pass.
Measure measure(const ListSource& list, Headers headers, Pacing& pacing);
std::vector<qsizetype> widths(const ListSource& list, Headers headers, Pacing& pacing);

// The cell without the blanks at its end.
QStringView withoutTrailingBlanks(QStringView cell);

// The cell, blanks up to the width (none when the cell is longer), a tab.
void appendCell(QString& text, QStringView cell, qsizetype width);

} // namespace ColumnLayout
