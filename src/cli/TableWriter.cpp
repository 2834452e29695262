#include "cli/TableWriter.h"

#include "convert/SaveOption.h"
#include "entries/TableRecordStream.h"

TableWriter::TableWriter(const ConvertOptions& options)
    : format_(options.format == OutputFormat::Csv)
    , withHeader_(options.table.header)
    , fields_{options.shownFields(), options.distanceAt}
    , check_(options.check)
    , separator_(format_.separator())
    , out_(options.output) {}

TableWriter::TextId TableWriter::makeRow(const ZipRow& row) {
    QByteArray appended;
    const qsizetype split = fields_.appendFields(appended, [&](QByteArray& out, ZipField field) {
        format_.appendNextField(out, SaveOption::shown(field, row[field], locale_));
    });
    return rows_.intern(appended + format_.lineEnd(), split);
}

QByteArray TableWriter::appendedHeader() const {
    QByteArray names;
    if (check_)
        format_.appendNextField(names, QStringLiteral("check"));
    for (const QString& name : fields_.names())
        format_.appendNextField(names, name);
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

void TableWriter::write(const TableRecord& record, const FoundRows& rows) {
    if (rows.ids.empty())
        return;
    startRecord(record);
    for (std::size_t i = 0; i < rows.ids.size(); ++i) {
        out_.append(record_);
        fields_.appendRow(out_, rows_, rows, i, QByteArrayView(&separator_, 1), {});
    }
}

void TableWriter::writeChecked(const TableRecord& record, const AddressCheck::Result& checked) {
    startRecord(record);
    record_ += format_.separator();
    record_ += AddressCheck::verdictNames[std::size_t(checked.verdict)];
    if (checked.row != AddressCheck::noRow) {
        out_.append(record_);
        out_.append(rows_[checked.row]);
        return;
    }
    for (std::size_t i = 0; i < fields_.count(); ++i)
        record_ += format_.separator();
    out_.append(record_ + format_.lineEnd());
}

void TableWriter::writeUnmatched(const TableRecord& record) {
    startRecord(record);
    for (std::size_t i = 0; i < fields_.count(); ++i)
        record_ += format_.separator();
    out_.append(record_ + format_.lineEnd());
}

void TableWriter::finish() {
    if (withHeader_ && !headerWritten_)
        out_.append(appendedHeader().mid(1)); // no input fields: no separator before them
    out_.commit();
}
