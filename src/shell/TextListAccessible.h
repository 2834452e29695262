#pragma once
// What assistive technology (a screen reader, through AT-SPI) sees of a TextListView: a
// list named after its column header, with one list item per row, named by the row's
// text and marked selected when it is the selected row. Row items are made when someone
// asks for them and forgotten when rows are removed, so a list of millions of rows costs
// nothing until it is read, and every answer takes the same time at any length.

#include <QAccessibleWidget>
#include <QHash>
#include <QObject>

#include <memory>

class TextListView;

class TextListAccessible : public QAccessibleWidget {
public:
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

    mutable QHash<int, QAccessible::Id> rows_;
    std::unique_ptr<QObject> modelWatch_; // ends the model's connections with this object
};
