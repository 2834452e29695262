#include "cli/RowWriter.h"

#include "cli/ConsolePlatform.h"
#include "convert/EntryRules.h"
#include "convert/SaveOption.h"
#include "core/AppError.h"
#include "core/EventPump.h"
#include "core/TextListModel.h"
#include "output/AlignedTextWriter.h"
#include "output/ColumnLayout.h"
#include "output/WorkbookWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <vector>

namespace {

// Each distinct row once, as the bytes that end a line of output. The rows lie side by
// side in one buffer: tens of millions of lines are copied from a few megabytes that stay
// in the processor's cache, not from an allocation each.
class RowBytes {
public:
    RowWriter::TextId intern(const QByteArray& bytes) {
        const auto found = ids_.constFind(bytes);
        if (found != ids_.constEnd())
            return *found;
        const auto id = RowWriter::TextId(starts_.size() - 1);
        chars_.append(bytes.constData(), std::size_t(bytes.size()));
        starts_.push_back(chars_.size());
        ids_.insert(bytes, id);
        return id;
    }
    QByteArrayView operator[](RowWriter::TextId id) const {
        return QByteArrayView(chars_.data() + starts_[id],
                              qsizetype(starts_[id + 1] - starts_[id]));
    }

private:
    QHash<QByteArray, RowWriter::TextId> ids_;
    std::string chars_;
    std::vector<std::size_t> starts_{0}; // row id -> start in chars_; one extra end marker
};

// --format rows: each row as the clipboard copy writes it, blanks at its end removed.
class RowsWriter : public RowWriter {
public:
    RowsWriter(const ConvertOptions& options)
        : option_(options.saveOption)
        , out_(options.output) {}

    TextId makeRow(std::span<const QStringView> fields) override {
        const QString row = SaveOption::wordRow(option_, fields, locale_);
        return rows_.intern(ColumnLayout::withoutTrailingBlanks(row).toUtf8() + "\r\n");
    }
    void write(QStringView, std::span<const TextId> rows) override {
        for (TextId id : rows)
            out_.append(rows_[id]);
    }
    void finish() override { out_.commit(); }

private:
    int option_;
    QLocale locale_;
    OutputFile out_;
    RowBytes rows_;
};

// --format csv and tsv: entry, city, state, zip for every row; the columns the save
// option does not fetch stay empty.
class RecordsWriter : public RowWriter {
public:
    RecordsWriter(const ConvertOptions& options, bool csv)
        : option_(options.saveOption)
        , csv_(csv)
        , out_(options.output) {
        out_.append(csv ? "entry,city,state,zip\r\n" : "entry\tcity\tstate\tzip\n");
    }

    TextId makeRow(std::span<const QStringView> fields) override {
        const auto field = [&](std::size_t i) {
            return i < fields.size() ? fields[i] : QStringView();
        };
        QString city, state, zip;
        switch (option_) {
        case SaveOption::SaveCityStateAndZip:
            city = ProperCase(field(0), locale_), state = field(1).toString();
            zip = field(2).toString();
            break;
        case SaveOption::SaveJustCity:
            city = ProperCase(field(0), locale_);
            break;
        case SaveOption::SaveJustState:
            state = field(0).toString();
            break;
        case SaveOption::SaveJustZip:
            zip = field(0).toString();
            break;
        default:
            city = ProperCase(field(0), locale_), state = field(1).toString();
        }
        const QByteArray separator = csv_ ? "," : "\t";
        return rows_.intern(separator + cell(city) + separator + cell(state) + separator +
                            cell(zip) + (csv_ ? "\r\n" : "\n"));
    }
    void write(QStringView entry, std::span<const TextId> rows) override {
        if (rows.empty())
            return;
        const QByteArray first = cell(entry);
        for (TextId id : rows) {
            out_.append(first);
            out_.append(rows_[id]);
        }
    }
    void finish() override { out_.commit(); }

private:
    // RFC 4180: a field with a comma, a quote or a line end is quoted, its quotes doubled.
    // Tab-separated fields hold no tabs or line ends (the list rules remove them).
    QByteArray cell(QStringView text) const {
        QByteArray bytes = text.toUtf8();
        if (csv_ && (bytes.contains(',') || bytes.contains('"') || bytes.contains('\r') ||
                     bytes.contains('\n')))
            bytes = '"' + bytes.replace("\"", "\"\"") + '"';
        return bytes;
    }

    int option_;
    bool csv_;
    QLocale locale_;
    OutputFile out_;
    RowBytes rows_;
};

// --format aligned and xlsx: the results list of the window, written by its writers into
// a file beside the target that takes the target's place when complete.
class ListWriter : public RowWriter {
public:
    ListWriter(const ConvertOptions& options)
        : options_(options)
        , results_(TextListModel::Storage::Shared) {
        results_.addColumnHeader(QStringLiteral("Results"));
    }

    TextId makeRow(std::span<const QStringView> fields) override {
        return results_.intern(SaveOption::wordRow(options_.saveOption, fields, locale_));
    }
    void write(QStringView, std::span<const TextId> rows) override { results_.appendIds(rows); }

    void finish() override {
        const QString folder = QDir::tempPath();
        QTemporaryDir scratch(folder + QStringLiteral("/.quellist-convert-XXXXXX"));
        if (!scratch.isValid())
            throw OutputFailure(
                QStringLiteral("cannot write into %1: %2").arg(folder, scratch.errorString()),
                false);
        const QString made = scratch.filePath(QStringLiteral("results"));
        writeList(made);
        copyToOutput(made);
    }

private:
    void writeList(const QString& path) {
        ConsolePlatform platform;
        if (options_.format == OutputFormat::Aligned) {
            if (!AlignedTextWriter(platform, nullptr).SaveListviewProperlySpaced(results_, path))
                throw OutputFailure(QStringLiteral("the text file was not written"), false);
            return;
        }
        EventPump pump(platform);
        try {
            WorkbookWriter(pump).write(results_, path);
        } catch (const AppError& failure) {
            throw OutputFailure(failure.description(), false);
        }
    }
    // The output takes the finished file's bytes: put in place when complete, as every
    // format's output is.
    void copyToOutput(const QString& path) {
        QFile made(path);
        if (!made.open(QIODevice::ReadOnly))
            throw OutputFailure(made.errorString(), false);
        OutputFile out(options_.output);
        while (!made.atEnd())
            out.append(made.read(1 << 20));
        out.commit();
    }

    const ConvertOptions& options_;
    QLocale locale_;
    TextListModel results_;
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
    case OutputFormat::Aligned:
    case OutputFormat::Xlsx:
        break;
    }
    return std::make_unique<ListWriter>(options);
}
