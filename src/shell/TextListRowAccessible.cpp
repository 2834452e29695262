#include "shell/TextListRowAccessible.h"

#include "core/TextListModel.h"
#include "shell/TextListView.h"

#include <QWidget>

namespace {

int aliveRows = 0; // made and released on the window's thread only

} // namespace

TextListRowAccessible::TextListRowAccessible(TextListView* view, int row)
    : view_(view)
    , row_(row) {
    ++aliveRows;
}

TextListRowAccessible::~TextListRowAccessible() {
    --aliveRows;
}

int TextListRowAccessible::alive() {
    return aliveRows;
}

bool TextListRowAccessible::isValid() const {
    return view_ && row_ >= 0 && row_ < view_->model().rowCount();
}

QWindow* TextListRowAccessible::window() const {
    return view_ ? view_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TextListRowAccessible::parent() const {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
}

QString TextListRowAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !isValid())
        return {};
    return view_->model().textView(row_).left(TextListView::maxPaintedCharacters).toString();
}

QRect TextListRowAccessible::rect() const {
    if (!isValid())
        return {};
    const QRect local = view_->rowRect(row_);
    if (local.isEmpty())
        return {};
    return {view_->viewport()->mapToGlobal(local.topLeft()), local.size()};
}

QAccessible::State TextListRowAccessible::state() const {
    QAccessible::State state;
    state.selectable = true;
    state.focusable = true;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selected = view_->model().selectedRow() == row_;
    state.focused = state.selected && view_->hasFocus();
    state.invisible = view_->rowRect(row_).isEmpty();
    state.offscreen = state.invisible;
    return state;
}
