#pragma once
// One row of a TextListView as assistive technology sees it: a list item, named by the
// row's text (at most as much of it as the view paints), selectable, selected when it is
// the list's selected row.

#include <QAccessibleInterface>
#include <QPointer>

class TextListView;

class TextListRowAccessible : public QAccessibleInterface {
public:
    TextListRowAccessible(TextListView* view, int row);
    ~TextListRowAccessible() override;
    TextListRowAccessible(const TextListRowAccessible&) = delete;
    TextListRowAccessible& operator=(const TextListRowAccessible&) = delete;

    // How many row items exist now, in every list: what accessibility costs in memory.
    static int alive();

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

    int row() const { return row_; }

private:
    QPointer<TextListView> view_;
    int row_;
};
