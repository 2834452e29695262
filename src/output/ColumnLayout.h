#pragma once
// The column layout the aligned text file and the clipboard text share: every column as
// wide as its longest cell, a cell padded with blanks to that width and closed by a tab.

#include "EventPump.h"
#include "ListSource.h"

#include <QString>

#include <vector>

namespace ColumnLayout {

enum class Headers { Counted, Ignored };

// The width of every column in characters, over all rows, unchecked ones too, and the
// header when counted. Yields (when due) before every row; rows that vanish during a
// yield end the pass.
std::vector<qsizetype> widths(const ListSource& list, Headers headers, EventPump& pump);

// The cell, blanks up to the width (none when the cell is longer), a tab.
void appendCell(QString& text, QStringView cell, qsizetype width);

} // namespace ColumnLayout
