#include "output/WorkbookWriter.h"

#include "core/AppError.h"
#include "core/RowLoop.h"
#include "output/OutputTarget.h"
#include "output/XlsxLibrary.h"

#include <QFile>

#include <vector>

namespace {

constexpr double maxColumnWidth = 255;

QString problemText(lxw_error error) {
    return QString::fromUtf8(XlsxLibrary::get().strerror(error));
}

// One workbook being written; a workbook that is not closed complete is freed unwritten.
class Workbook {
public:
    Workbook(const OutputTarget& target, int columns)
        : xlsx_(XlsxLibrary::get())
        , path_(target.name())
        , columns_(columns) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        const QByteArray name = QFile::encodeName(target.writablePath());
        workbook_ = xlsx_.workbookNewOpt(name.constData(), &options);
        if (!workbook_)
            throw AppError(QStringLiteral("Cannot create the workbook %1").arg(path_));
    }
    ~Workbook() {
        if (workbook_)
            xlsx_.workbookFree(workbook_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    void startSheet(const ListSource& list, Pacing& pacing) {
        sheet_ = xlsx_.workbookAddWorksheet(workbook_, nullptr);
        if (!sheet_)
            throw AppError(QStringLiteral("Cannot add a sheet to the workbook %1").arg(path_));
        sheets_.push_back(sheet_);
        for (int c = 0; c < columns_; ++c) {
            if (pacing.due())
                pacing.yield();
            writeCell(0, c, list.header(c));
        }
    }

    void writeCell(lxw_row_t row, int column, QStringView text) {
        widths_.resize(std::max<std::size_t>(widths_.size(), std::size_t(column) + 1), 0);
        widths_[std::size_t(column)] = std::max(widths_[std::size_t(column)], text.size());
        if (text.isEmpty())
            return;
        const QByteArray utf8 = text.toUtf8();
        const lxw_error error =
            xlsx_.worksheetWriteString(sheet_, row, lxw_col_t(column), utf8.constData(), nullptr);
        if (error != LXW_NO_ERROR)
            throw AppError(
                QStringLiteral("Cannot write a cell of the workbook: %1").arg(problemText(error)));
    }

    // Fits the columns to their longest text on every sheet and writes the file. Packing a
    // large workbook takes a while: it runs beside the window, which keeps handling events.
    void close(Pacing& pacing) {
        for (lxw_worksheet* sheet : sheets_)
            for (std::size_t c = 0; c < widths_.size(); ++c)
                xlsx_.worksheetSetColumn(sheet, lxw_col_t(c), lxw_col_t(c),
                                         std::min(maxColumnWidth, double(widths_[c]) + 1.5),
                                         nullptr);
        lxw_workbook* workbook = std::exchange(workbook_, nullptr);
        lxw_error error = LXW_NO_ERROR;
        pacing.runBeside([&] { error = xlsx_.workbookClose(workbook); });
        if (error != LXW_NO_ERROR)
            throw AppError(
                QStringLiteral("Cannot write the workbook %1: %2").arg(path_, problemText(error)));
    }

private:
    const XlsxLibrary& xlsx_;
    QString path_;
    int columns_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::vector<lxw_worksheet*> sheets_;
    std::vector<qsizetype> widths_;
};

} // namespace

WorkbookWriter::WorkbookWriter(Pacing& pacing, qsizetype rowsPerSheet)
    : pacing_(pacing)
    , rowsPerSheet_(std::clamp<qsizetype>(rowsPerSheet, 2, sheetRowLimit)) {}

void WorkbookWriter::write(const ListSource& list, const OutputTarget& target) {
    const int columns = list.columns();
    Workbook workbook(target, columns);
    workbook.startSheet(list, pacing_);
    qsizetype sheetRow = 1;
    QString withoutEquals;
    RowLoop loop(list, pacing_); // a list cleared meanwhile: the workbook ends there
    for (qsizetype r; loop.next(r);) {
        if (sheetRow == rowsPerSheet_) {
            workbook.startSheet(list, pacing_);
            sheetRow = 1;
        }
        if (list.checked(r))
            for (int c = 0; c < columns; ++c) {
                QStringView cell = list.cell(r, c);
                if (c > 0 && cell.contains(u'=')) {
                    withoutEquals = cell.toString().remove(u'=');
                    cell = withoutEquals;
                }
                workbook.writeCell(lxw_row_t(sheetRow), c, cell);
            }
        ++sheetRow;
    }
    workbook.close(pacing_);
}
