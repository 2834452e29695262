#pragma once
// What assistive technology (a screen reader, through AT-SPI) sees of a TextListView: a
// list named after its column header, with one list item per row, named by the row's
// text and marked selected when it is the selected row. Row items are made when someone
// asks for them and forgotten when rows are removed, so a list of millions of rows costs
// nothing until it is read, and every answer takes the same time at any length.
//
// A client that walks every row (an inspector, a screen reader's flat review) would
// otherwise leave one item per row behind: at most keptRows stay, the most recently asked
// for, besides the rows in view and the selected row; older ones are released through
// Qt's accessibility cache, which reuses their ids. A released row is made anew when it
// is asked for again.

#include <QAccessibleWidget>
#include <QHash>
#include <QObject>

#include <list>
#include <memory>

class TextListView;

class TextListAccessible : public QAccessibleWidget {
public:
    static constexpr int keptRows = 4096;

    explicit TextListAccessible(TextListView* view);
    ~TextListAccessible() override;

    // Makes Qt ask this class for every TextListView: the window does, as it is put
    // together; a view's events name rows, which only this interface has.
    static void installFactory();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

    TextListView* view() const;

private:
    // The rows' items no longer match their rows: rows are being removed or the list reset.
    void forgetRows() const;

    struct Kept {
        QAccessible::Id id;
        std::list<int>::iterator recent;
    };
    // The row's item, made or found, and now the most recent.
    QAccessibleInterface* keep(int row) const;
    void releaseOldRows() const;
    bool pinned(int row) const;

    mutable QHash<int, Kept> rows_;
    mutable std::list<int> recent_;       // the kept rows, the most recently asked for first
    std::unique_ptr<QObject> modelWatch_; // ends the model's connections with this object
};
