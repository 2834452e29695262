#pragma once
// The output of a table run: every input record repeated once for each of its rows, the
// shown fields of the row appended (ConvertOptions::shownFields, the distance where --fields
// puts it), csv or tsv. With --check every record once, the check's verdict and the zip's
// fields appended.
// The header of the first input heads the output, extended by the appended fields' names,
// each made unique against the header's (appendedNames).
// Nothing is put in place before finish(): a writer destroyed unfinished leaves an old
// output file whole.

#include "cli/BufferedOutput.h"
#include "cli/ConvertOptions.h"
#include "cli/DelimitedFormat.h"
#include "cli/FieldList.h"
#include "cli/RowBytes.h"
#include "convert/AddressCheck.h"
#include "convert/FoundRows.h"
#include "convert/ZipField.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>

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
    void write(const TableRecord& record, const FoundRows& rows);
    // The record once, the verdict of --check and then the fields of the zip's row (none
    // for a zip unknown or missing: empty fields).
    void writeChecked(const TableRecord& record, const AddressCheck::Result& checked);
    // A record without rows, kept: its appended fields empty.
    void writeUnmatched(const TableRecord& record);
    // Completes the output (a header of the appended fields alone when no input had one)
    // and puts it in place. Throws OutputFailure.
    void finish();

private:
    void startRecord(const TableRecord& record);
    QStringList appendedNames(const TableRecord* header) const;
    QByteArray appendedHeader(const TableRecord* header) const;

    DelimitedFormat format_;
    bool withHeader_;
    FieldList fields_;
    bool check_; // a check column before the fields
    char separator_;
    QLocale locale_;
    BufferedOutput out_;
    RowBytes rows_;
    QByteArray record_; // the record's own fields, reused
    bool headerWritten_ = false;
};
