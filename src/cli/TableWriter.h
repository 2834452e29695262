#pragma once
// The output of a table run: every input record repeated once for each of its rows, the
// fields of the row appended (those the save option fetches, in its order), csv or tsv.
// The header of the first input heads the output, extended by the appended fields' names.
// Nothing is put in place before finish(): a writer destroyed unfinished leaves an old
// output file whole.

#include "cli/BufferedOutput.h"
#include "cli/ConvertOptions.h"
#include "cli/DelimitedFormat.h"
#include "cli/RowBytes.h"
#include "convert/ZipField.h"

#include <QByteArray>
#include <QLocale>

#include <span>
#include <vector>

class TableRecord;

class TableWriter {
public:
    using TextId = RowBytes::TextId;

    // Throws AppError when the output cannot be made.
    explicit TableWriter(const ConvertOptions& options);

    TextId makeRow(const ZipRow& row);
    // The header of an input: written for the first input only.
    void header(const TableRecord& fields);
    void write(const TableRecord& record, std::span<const TextId> rows);
    // A record without rows, kept: its appended fields empty.
    void writeUnmatched(const TableRecord& record);
    // Completes the output (a header of the appended fields alone when no input had one)
    // and puts it in place. Throws OutputFailure.
    void finish();

private:
    void startRecord(const TableRecord& record);
    QByteArray appendedHeader() const;

    DelimitedFormat format_;
    bool withHeader_;
    std::vector<ZipField> fields_;
    QLocale locale_;
    BufferedOutput out_;
    RowBytes rows_;
    QByteArray record_; // the record's own fields, reused
    bool headerWritten_ = false;
};
