#include "cli/TableWriter.h"

#include "cli/DelimitedCell.h"
#include "convert/SaveOption.h"
#include "entries/TableRecordStream.h"

TableWriter::TableWriter(const ConvertOptions& options)
    : csv_(options.format == OutputFormat::Csv)
    , withHeader_(options.table.header)
    , fields_(SaveOption::at(options.saveOption).fields())
    , out_(options.output) {}

TableWriter::TextId TableWriter::makeRow(const ZipRow& row) {
    QByteArray appended;
    for (ZipField field : fields_) {
        appended += csv_ ? ',' : '\t';
        appendCell(appended, SaveOption::shown(field, row[field], locale_), csv_);
    }
    return rows_.intern(appended + (csv_ ? "\r\n" : "\n"));
}

QByteArray TableWriter::appendedHeader() const {
    QByteArray names;
    for (ZipField field : fields_)
        names += (csv_ ? ',' : '\t') + QByteArray(infoOf(field).header);
    return names + (csv_ ? "\r\n" : "\n");
}

void TableWriter::header(const TableRecord& fields) {
    if (headerWritten_)
        return;
    startRecord(fields);
    out_.append(record_ + appendedHeader());
    headerWritten_ = true;
}

void TableWriter::startRecord(const TableRecord& record) {
    record_.resize(0); // keeps its capacity, unlike clear()
    for (qsizetype i = 0; i < record.size(); ++i) {
        if (i > 0)
            record_ += csv_ ? ',' : '\t';
        appendCell(record_, record[i], csv_);
    }
}

void TableWriter::write(const TableRecord& record, std::span<const TextId> rows) {
    if (rows.empty())
        return;
    startRecord(record);
    for (TextId id : rows) {
        out_.append(record_);
        out_.append(rows_[id]);
    }
}

void TableWriter::writeUnmatched(const TableRecord& record) {
    startRecord(record);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        record_ += csv_ ? ',' : '\t';
    out_.append(record_ + (csv_ ? "\r\n" : "\n"));
}

void TableWriter::finish() {
    if (withHeader_ && !headerWritten_)
        out_.append(appendedHeader().mid(1)); // no input fields: no separator before them
    out_.commit();
}
