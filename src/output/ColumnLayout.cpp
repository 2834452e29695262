#include "ColumnLayout.h"

namespace ColumnLayout {

std::vector<qsizetype> widths(const ListSource& list, Headers headers, EventPump& pump) {
    const int columns = list.columns();
    std::vector<qsizetype> result(std::size_t(std::max(columns, 0)), 0);
    if (headers == Headers::Counted)
        for (int c = 0; c < columns; ++c)
            result[std::size_t(c)] = list.header(c).size();
    const qsizetype rows = list.rows();
    for (qsizetype r = 0; r < rows; ++r) {
        if (pump.due()) {
            pump.yield();
            if (r >= list.rows())
                break;
        }
        for (int c = 0; c < columns; ++c)
            result[std::size_t(c)] = std::max(result[std::size_t(c)], list.cell(r, c).size());
    }
    return result;
}

void appendCell(QString& text, QStringView cell, qsizetype width) {
    text += cell;
    if (width > cell.size())
        text.append(QString(width - cell.size(), u' '));
    text += u'\t';
}

} // namespace ColumnLayout
