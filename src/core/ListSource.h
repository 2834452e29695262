#pragma once
// A list as the writers read it: column headers, rows of cells, and check states. The
// results list is one such list (one column, no check boxes, so every row is checked);
// the writers work on any other as well.

#include <QString>
#include <QStringView>

class ListSource {
public:
    virtual ~ListSource() = default;

    virtual int columns() const = 0;
    virtual QString header(int column) const = 0; // 0-based
    virtual qsizetype rows() const = 0;
    // Column 0 is the row's text; column k its sub-item k. Valid until the list changes.
    virtual QStringView cell(qsizetype row, int column) const = 0;
    // A list that shows no check boxes reports every row as checked.
    virtual bool checked(qsizetype row) const = 0;
};
