#include "shell/TextListAccessible.h"

#include "core/TextListModel.h"
#include "shell/TextListRowAccessible.h"
#include "shell/TextListView.h"

#include <QWidget>

namespace {

QAccessibleInterface* makeInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("TextListView") && object && object->isWidgetType())
        return new TextListAccessible(static_cast<TextListView*>(object));
    return nullptr;
}

} // namespace

TextListAccessible::TextListAccessible(TextListView* view)
    : QAccessibleWidget(view, QAccessible::List)
    , modelWatch_(std::make_unique<QObject>()) {
    const auto forget = [this] { forgetRows(); };
    QObject::connect(&view->model(), &QAbstractItemModel::rowsAboutToBeRemoved, modelWatch_.get(),
                     forget);
    QObject::connect(&view->model(), &QAbstractItemModel::modelAboutToBeReset, modelWatch_.get(),
                     forget);
}

TextListAccessible::~TextListAccessible() {
    forgetRows();
}

void TextListAccessible::installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(makeInterface);
        return true;
    }();
    (void)installed;
}

TextListView* TextListAccessible::view() const {
    return static_cast<TextListView*>(widget());
}

int TextListAccessible::childCount() const {
    return view()->model().rowCount();
}

QAccessibleInterface* TextListAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    QAccessibleInterface* row = keep(index);
    releaseOldRows();
    return row;
}

QAccessibleInterface* TextListAccessible::keep(int row) const {
    if (const auto known = rows_.find(row); known != rows_.end()) {
        recent_.splice(recent_.begin(), recent_, known->recent);
        return QAccessible::accessibleInterface(known->id);
    }
    auto* item = new TextListRowAccessible(view(), row);
    recent_.push_front(row);
    rows_.insert(row, {QAccessible::registerAccessibleInterface(item), recent_.begin()});
    return item;
}

// The oldest rows go, unless the user sees them or they are the selected one.
void TextListAccessible::releaseOldRows() const {
    for (qsizetype looked = 0; rows_.size() > keptRows && looked < rows_.size(); ++looked) {
        const int oldest = recent_.back();
        if (pinned(oldest)) {
            recent_.splice(recent_.begin(), recent_, std::prev(recent_.end()));
            continue;
        }
        recent_.pop_back();
        QAccessible::deleteAccessibleInterface(rows_.take(oldest).id);
    }
}

bool TextListAccessible::pinned(int row) const {
    return row == view()->model().selectedRow() || !view()->rowRect(row).isEmpty();
}

int TextListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->role() != QAccessible::ListItem || child->parent() != this)
        return -1;
    const int row = static_cast<const TextListRowAccessible*>(child)->row();
    return row < childCount() ? row : -1;
}

QAccessibleInterface* TextListAccessible::childAt(int x, int y) const {
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!view()->viewport()->rect().contains(local))
        return nullptr;
    return child(view()->rowAt(local.y()));
}

QAccessibleInterface* TextListAccessible::focusChild() const {
    if (!view()->hasFocus())
        return nullptr;
    return child(int(view()->model().selectedRow()));
}

QString TextListAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && view()->accessibleName().isEmpty())
        return view()->model().columnHeaders().value(0);
    return QAccessibleWidget::text(t);
}

void TextListAccessible::forgetRows() const {
    for (const Kept& kept : std::as_const(rows_))
        QAccessible::deleteAccessibleInterface(kept.id);
    rows_.clear();
    recent_.clear();
}
