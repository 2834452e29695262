#include "cli/TableWriter.h"

#include "convert/SaveOption.h"
#include "core/TextRules.h"
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

// The names of the appended fields, each a name the header does not have yet: a name it
// has (letter case and blanks at its ends aside, as pandas and SQLite would take them
// alike) gets "_2", or the first number after it that is free ("city_2", "zip_3").
QStringList TableWriter::appendedNames(const TableRecord* header) const {
    QStringList taken;
    for (qsizetype i = 0; header && i < header->size(); ++i)
        taken << TrimBlanks((*header)[i]).toString().toLower();
    QStringList names = fields_.names();
    if (check_)
        names.prepend(QStringLiteral("check"));
    for (QString& name : names) {
        const QString base = name;
        for (int n = 2; taken.contains(name.toLower()); ++n)
            name = base + u'_' + QString::number(n);
        taken << name.toLower();
    }
    return names;
}

QByteArray TableWriter::appendedHeader(const TableRecord* header) const {
    QByteArray names;
    for (const QString& name : appendedNames(header))
        format_.appendNextField(names, name);
    return names + format_.lineEnd();
}

void TableWriter::header(const TableRecord& fields) {
    if (headerWritten_)
        return;
    startRecord(fields);
    out_.append(record_ + appendedHeader(&fields));
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
        out_.append(appendedHeader(nullptr).mid(1)); // no input fields: no separator before them
    out_.commit();
}
