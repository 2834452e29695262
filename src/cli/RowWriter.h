#pragma once
// The converter's output formats. A writer makes the row for each database row once (its
// id is shared by every entry that gives it) and then writes the rows of each entry.
// rows, csv, tsv and geojson stream to the output as they come; aligned and xlsx gather the rows
// in a results list, as the window does, and hand it to the writers the window uses too,
// unpaced, which write it once into the same BufferedOutput. Nothing is put in place
// before finish(): a writer destroyed unfinished leaves an old output file whole.

#include "cli/BufferedOutput.h"
#include "cli/ConvertOptions.h"
#include "convert/FoundRows.h"
#include "convert/ZipField.h"

#include <QStringView>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class RowWriter {
public:
    using TextId = std::uint32_t;
    virtual ~RowWriter() = default;

    virtual TextId makeRow(const ZipRow& row) = 0;
    // The rows of an entry; their distances where a field shows them.
    virtual void write(QStringView entry, const FoundRows& rows) = 0;
    // Rows the format cannot show and left out (geojson: rows without a point).
    virtual std::int64_t rowsLeftOut() const { return 0; }
    // Completes the output and puts it in place. Throws AppError (OutputFailure).
    virtual void finish() = 0;

    // Throws AppError when the output cannot be made.
    static std::unique_ptr<RowWriter> make(const ConvertOptions& options);
};
