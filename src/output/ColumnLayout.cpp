#include "output/ColumnLayout.h"

#include "core/RowLoop.h"

namespace ColumnLayout {

Measure measure(const ListSource& list, Headers headers, Pacing& pacing) {
    const int columns = list.columns();
    Measure result;
    std::vector<qsizetype>& widths = result.widths;
    widths.assign(std::size_t(std::max(columns, 0)), 0);
    if (headers == Headers::Counted)
        for (int c = 0; c < columns; ++c)
            widths[std::size_t(c)] = list.header(c).size();
    RowLoop loop(list, pacing);
    for (qsizetype r; loop.next(r);) {
        for (int c = 0; c < columns; ++c)
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], list.cell(r, c).size());
        if (columns > 0 && list.checked(r)) {
            ++result.checkedRows;
            result.trimmedLastCells += withoutTrailingBlanks(list.cell(r, columns - 1)).size();
        }
    }
    return result;
}

std::vector<qsizetype> widths(const ListSource& list, Headers headers, Pacing& pacing) {
    return measure(list, headers, pacing).widths;
}

QStringView withoutTrailingBlanks(QStringView cell) {
    qsizetype end = cell.size();
    while (end > 0 && cell[end - 1] == u' ')
        --end;
    return cell.first(end);
}

void appendCell(QString& text, QStringView cell, qsizetype width) {
    text += cell;
    if (width > cell.size()) // padded in place: a blank string per cell costs an allocation
        text.resize(text.size() + width - cell.size(), u' ');
    text += u'\t';
}

} // namespace ColumnLayout
