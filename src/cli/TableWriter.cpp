#include "cli/TableWriter.h"

#include "convert/SaveOption.h"
#include "entries/TableRecordStream.h"

TableWriter::TableWriter(const ConvertOptions& options)
    : format_(options.format == OutputFormat::Csv)
    , withHeader_(options.table.header)
    , fields_(options.fetchedFields())
    , out_(options.output) {}

TableWriter::TextId TableWriter::makeRow(const ZipRow& row) {
    QByteArray appended;
    for (ZipField field : fields_)
        format_.appendNextField(appended, SaveOption::shown(field, row[field], locale_));
    return rows_.intern(appended + format_.lineEnd());
}

QByteArray TableWriter::appendedHeader() const {
    QByteArray names;
    for (ZipField field : fields_)
        format_.appendNextField(names, QString::fromLatin1(infoOf(field).header));
    return names + format_.lineEnd();
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
            record_ += format_.separator();
        format_.appendField(record_, record[i]);
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
        record_ += format_.separator();
    out_.append(record_ + format_.lineEnd());
}

void TableWriter::finish() {
    if (withHeader_ && !headerWritten_)
        out_.append(appendedHeader().mid(1)); // no input fields: no separator before them
    out_.commit();
}
