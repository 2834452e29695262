#include "cli/RowWriter.h"

#include "cli/BufferedOutput.h"
#include "cli/DelimitedFormat.h"
#include "cli/FieldList.h"
#include "cli/GeoJsonWriter.h"
#include "cli/RowBytes.h"
#include "convert/SaveOption.h"
#include "core/TextListModel.h"
#include "output/AlignedTextWriter.h"
#include "output/ColumnLayout.h"
#include "output/WorkbookWriter.h"

namespace {

// --format rows: each row as the clipboard copy writes it, blanks at its end removed.
class RowsWriter : public RowWriter {
public:
    RowsWriter(const ConvertOptions& options)
        : option_(options.saveOption)
        , out_(options.output) {}

    TextId makeRow(const ZipRow& row) override {
        const QString text = SaveOption::wordRow(option_, row, locale_);
        return rows_.intern(ColumnLayout::withoutTrailingBlanks(text).toUtf8() + "\r\n");
    }
    void write(QStringView, std::span<const TextId> rows) override {
        for (TextId id : rows)
            out_.append(rows_[id]);
    }
    void finish() override { out_.commit(); }

private:
    int option_;
    QLocale locale_;
    BufferedOutput out_;
    RowBytes rows_;
};

// --format csv and tsv: the entry, then the fields of --fields (else city, state and zip)
// as results show them; a field the save option does not fetch stays empty.
class RecordsWriter : public RowWriter {
public:
    RecordsWriter(const ConvertOptions& options, bool csv)
        : format_(csv)
        , fields_{options.fields.empty() ? std::vector(windowFields.begin(), windowFields.end())
                                         : options.fields,
                  options.distanceAt}
        , out_(options.output) {
        QByteArray header = "entry";
        for (const QString& name : fields_.names())
            format_.appendNextField(header, name);
        out_.append(header + format_.lineEnd());
    }

    TextId makeRow(const ZipRow& row) override {
        QByteArray record;
        const qsizetype split = fields_.appendRow(record, [&](QByteArray& out, ZipField field) {
            format_.appendNextField(out, SaveOption::shown(field, row[field], locale_));
        });
        return rows_.intern(record + format_.lineEnd(), split);
    }
    void write(QStringView entry, std::span<const TextId> rows) override {
        if (rows.empty())
            return;
        startRecord(entry);
        for (TextId id : rows) {
            out_.append(first_);
            out_.append(rows_[id]);
        }
    }
    void writeNear(QStringView entry, std::span<const WithinDistance::Row> rows) override {
        if (!fields_.hasDistance())
            return RowWriter::writeNear(entry, rows);
        startRecord(entry);
        const char separator = format_.separator();
        for (const WithinDistance::Row& row : rows) {
            out_.append(first_);
            FieldList::appendNear(out_, rows_, row, QByteArrayView(&separator, 1));
        }
    }
    void finish() override { out_.commit(); }

private:
    void startRecord(QStringView entry) {
        first_.resize(0);
        format_.appendField(first_, entry);
    }

    DelimitedFormat format_;
    FieldList fields_; // in its order; without --fields, city, state and zip
    QLocale locale_;
    BufferedOutput out_;
    RowBytes rows_;
    QByteArray first_; // the entry's field, reused
};

// --format aligned and xlsx: the results list of the window, written by its writers once,
// into the output.
class ListWriter : public RowWriter {
public:
    ListWriter(const ConvertOptions& options)
        : options_(options)
        , results_(TextListModel::Storage::Shared)
        , out_(options.output) {
        results_.addColumnHeader(QStringLiteral("Results"));
    }

    TextId makeRow(const ZipRow& row) override {
        return results_.intern(SaveOption::wordRow(options_.saveOption, row, locale_));
    }
    void write(QStringView, std::span<const TextId> rows) override { results_.appendIds(rows); }

    void finish() override {
        try {
            if (options_.format == OutputFormat::Aligned)
                AlignedTextWriter(results_, out_.name()).write(out_);
            else
                WorkbookWriter().write(results_, out_.target());
        } catch (const AppError&) {
            out_.rethrowDeviceFailure(); // as it came: a closed pipe ends the run quietly
            throw;
        }
        out_.commit();
    }

private:
    const ConvertOptions& options_;
    QLocale locale_;
    TextListModel results_;
    BufferedOutput out_;
};

} // namespace

void RowWriter::writeNear(QStringView entry, std::span<const WithinDistance::Row> rows) {
    nearIds_.clear();
    for (const WithinDistance::Row& row : rows)
        nearIds_.push_back(row.row);
    write(entry, nearIds_);
}

std::unique_ptr<RowWriter> RowWriter::make(const ConvertOptions& options) {
    switch (options.format) {
    case OutputFormat::Rows:
        return std::make_unique<RowsWriter>(options);
    case OutputFormat::Csv:
        return std::make_unique<RecordsWriter>(options, true);
    case OutputFormat::Tsv:
        return std::make_unique<RecordsWriter>(options, false);
    case OutputFormat::Geojson:
        return std::make_unique<GeoJsonWriter>(options);
    case OutputFormat::Aligned:
    case OutputFormat::Xlsx:
        break;
    }
    return std::make_unique<ListWriter>(options);
}
