#pragma once
// A list with several columns and check boxes, for the writers' tests.

#include "core/ListSource.h"

#include <QList>
#include <QStringList>

class TableSource : public ListSource {
public:
    QStringList headers;
    QList<QStringList> rowCells;
    QList<bool> checks; // empty: no check boxes

    int columns() const override { return int(headers.size()); }
    QString header(int column) const override { return headers.value(column); }
    qsizetype rows() const override { return rowCells.size(); }
    QStringView cell(qsizetype row, int column) const override {
        const QStringList& cells = rowCells.at(row);
        return column < cells.size() ? QStringView(cells.at(column)) : QStringView();
    }
    bool checked(qsizetype row) const override { return checks.isEmpty() || checks.at(row); }
};
