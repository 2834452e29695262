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
    void write(QStringView, const FoundRows& rows) override {
        for (TextId id : rows.ids)
            out_.append(rows_[id]);
    }
    void finish() override { out_.commit(); }

private:
    int option_;
    QLocale locale_;
    BufferedOutput out_;
    RowBytes rows_;
};

// --format csv and tsv: the entry, then the shown fields (ConvertOptions::shownFields) as
// results show them.
class RecordsWriter : public RowWriter {
public:
    RecordsWriter(const ConvertOptions& options, bool csv)
        : format_(csv)
        , fields_{options.shownFields(), options.distanceAt}
        , separator_(format_.separator())
        , out_(options.output) {
        QByteArray header = "entry";
        for (const QString& name : fields_.names())
            format_.appendNextField(header, name);
        out_.append(header + format_.lineEnd());
    }

    TextId makeRow(const ZipRow& row) override {
        QByteArray record;
        const qsizetype split = fields_.appendFields(record, [&](QByteArray& out, ZipField field) {
            format_.appendNextField(out, SaveOption::shown(field, row[field], locale_));
        });
        return rows_.intern(record + format_.lineEnd(), split);
    }
    void write(QStringView entry, const FoundRows& rows) override {
        if (rows.ids.empty())
            return;
        first_.resize(0);
        format_.appendField(first_, entry);
        for (std::size_t i = 0; i < rows.ids.size(); ++i) {
            out_.append(first_);
            fields_.appendRow(out_, rows_, rows, i, QByteArrayView(&separator_, 1), {});
        }
    }
    void finish() override { out_.commit(); }

private:
    DelimitedFormat format_;
    FieldList fields_;
    char separator_;
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
    void write(QStringView, const FoundRows& rows) override { results_.appendIds(rows.ids); }

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
