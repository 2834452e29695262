#pragma once
// A pick-only drop-down box (Combo1): its items and the selected index, -1 for none.

#include <QObject>
#include <QStringList>

class OptionBox : public QObject {
    Q_OBJECT
public:
    void appendItem(const QString& text);
    const QStringList& items() const { return items_; }

    int index() const { return index_; }
    QString text() const { return index_ < 0 ? QString() : items_.at(index_); }
    // Selects the given index; -1 selects nothing. Emits selectionChanged on every call,
    // as a pick of the same item notifies again.
    void select(int index);
    // Throws AppError when no item has this text; the selection then stays as it was.
    void selectByText(const QString& text);

signals:
    void itemsChanged();
    void selectionChanged(int index);

private:
    QStringList items_;
    int index_ = -1;
};
