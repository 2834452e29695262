#pragma once
// Writes a list into an .xlsx workbook with libxlsxwriter, streaming rows to disk so that
// memory stays flat however long the list is. Row 1 of a sheet holds the column headers;
// then one sheet row per list row, in list order; an unchecked row leaves its sheet row
// empty. Every cell is text, so a zip code such as 03053 keeps its leading zero. Column 1
// is written as it stands; later columns lose every "=". A sheet holds 1,048,576 rows:
// further rows go on to the next sheet, under the header row again.

#include "core/ListSource.h"
#include "core/Pacing.h"

class OutputTarget;

class WorkbookWriter {
public:
    static constexpr qsizetype sheetRowLimit = 1048576;

    explicit WorkbookWriter(Pacing& pacing = Pacing::none(),
                            qsizetype rowsPerSheet = sheetRowLimit);

    // Writes the workbook into the target, which the caller then commits. Throws AppError
    // (and WindowClosed); the caller's target, cancelled, then leaves nothing behind.
    void write(const ListSource& list, const OutputTarget& target);

private:
    Pacing& pacing_;
    qsizetype rowsPerSheet_;
};
