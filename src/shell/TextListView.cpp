#include "shell/TextListView.h"

#include "core/TextListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

namespace {
constexpr int textMargin = 3;
} // namespace

TextListView::TextListView(TextListModel& model, QWidget* parent)
    : QAbstractScrollArea(parent)
    , model_(model)
    , header_(new QHeaderView(Qt::Horizontal, this)) {
    setFocusPolicy(Qt::StrongFocus);
    header_->setModel(&model_);
    header_->setStretchLastSection(false);
    header_->setSectionsClickable(false);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalScrollBar()->setSingleStep(1);
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        updateScrollBars();
        viewport()->update();
    });
    const auto rowsChanged = [this] {
        updateScrollBars();
        viewport()->update();
    };
    connect(&model_, &QAbstractItemModel::rowsInserted, this,
            [this, rowsChanged](const QModelIndex&, int first, int last) {
                rowsChanged();
                announceRows(QAccessibleTableModelChangeEvent::RowsInserted, first, last);
            });
    connect(&model_, &QAbstractItemModel::rowsRemoved, this,
            [this, rowsChanged](const QModelIndex&, int first, int last) {
                rowsChanged();
                announceRows(QAccessibleTableModelChangeEvent::RowsRemoved, first, last);
            });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this, rowsChanged] {
        rowsChanged();
        announceRows(QAccessibleTableModelChangeEvent::ModelReset, -1, -1);
    });
    connect(&model_, &TextListModel::columnsChanged, this, [this] {
        if (model_.columnWidth(0) > 0)
            header_->resizeSection(0, model_.columnWidth(0) / 15); // twips to pixels
    });
    placeHeader();
}

int TextListView::rowHeight() const {
    return fontMetrics().height() + 2;
}

int TextListView::visibleRows() const {
    return std::max(1, viewport()->height() / rowHeight());
}

QRect TextListView::rowRect(int row) const {
    const int top = (row - verticalScrollBar()->value()) * rowHeight();
    if (row < 0 || top < 0 || top >= viewport()->height())
        return {};
    return {-horizontalScrollBar()->value(), top,
            std::max(header_->sectionSize(0), viewport()->width()), rowHeight()};
}

int TextListView::rowAt(int y) const {
    const int row = verticalScrollBar()->value() + y / rowHeight();
    return y >= 0 && row < model_.rowCount() ? row : -1;
}

void TextListView::updateScrollBars() {
    const int rows = model_.rowCount();
    verticalScrollBar()->setRange(0, std::max(0, rows - visibleRows()));
    verticalScrollBar()->setPageStep(visibleRows());
    const int width = header_->length();
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void TextListView::placeHeader() {
    const int height = header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void TextListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    placeHeader();
    updateScrollBars();
}

void TextListView::scrollContentsBy(int, int) {
    header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

bool TextListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) // the tooltip belongs to the whole list
        return QAbstractScrollArea::event(event);
    return QAbstractScrollArea::viewportEvent(event);
}

void TextListView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int first = verticalScrollBar()->value();
    const int last = std::min(model_.rowCount(), first + visibleRows() + 1);
    const int columnWidth = header_->sectionSize(0);
    const qsizetype selected = model_.selectedRow();
    for (int row = first; row < last; ++row) {
        const QRect rect = rowRect(row);
        if (rect.isEmpty())
            break;
        const bool isSelected = row == selected;
        if (isSelected)
            painter.fillRect(rect,
                             palette().brush(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                             QPalette::Highlight));
        painter.setPen(palette().color(isSelected ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect(rect.left() + textMargin, rect.top(), columnWidth - 2 * textMargin,
                             rect.height());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         model_.textView(row).left(maxPaintedCharacters).toString());
        if (isSelected && hasFocus())
            paintFocusFrame(painter, rect);
    }
    if (hasFocus() && (selected < first || selected >= last)) // no focused row in sight
        paintFocusFrame(painter, viewport()->rect());
}

void TextListView::paintFocusFrame(QPainter& painter, const QRect& rowRect) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    // Styles draw the frame only after keyboard use; a list shows its focus always.
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = rowRect.intersected(viewport()->rect()).adjusted(0, 0, -1, -1);
    option.backgroundColor = palette().color(QPalette::Highlight);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void TextListView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    announceSelection();
}

void TextListView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TextListView::announceSelection() {
    // Sent whether or not assistive technology listens: Qt drops them at once when none does.
    const int row = int(model_.selectedRow());
    if (row < 0)
        return;
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(row);
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

void TextListView::announceRows(QAccessibleTableModelChangeEvent::ModelChangeType type, int first,
                                int last) {
    // One event for a whole batch of rows, not one per row: a million rows stay cheap.
    QAccessibleTableModelChangeEvent change(this, type);
    change.setFirstRow(first);
    change.setLastRow(last);
    QAccessible::updateAccessibility(&change);
    if (type == QAccessibleTableModelChangeEvent::RowsInserted) {
        // Qt 6.4's AT-SPI bridge passes on no model change; a new child it does pass on,
        // and a screen reader then reads the list's length anew.
        QAccessibleEvent created(this, QAccessible::ObjectCreated);
        created.setChild(last);
        QAccessible::updateAccessibility(&created);
    }
}

void TextListView::setCurrentRow(int row) {
    model_.setSelectedRow(row);
    scrollToRow(row);
    viewport()->update();
    announceSelection();
}

void TextListView::scrollToRow(int row) {
    if (row < 0)
        return;
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + visibleRows())
        bar->setValue(row - visibleRows() + 1);
}

void TextListView::scrollToBottom() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TextListView::moveSelection(int row) {
    const int rows = model_.rowCount();
    if (rows == 0)
        return;
    setCurrentRow(std::clamp(row, 0, rows - 1));
}

void TextListView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const int row = rowAt(event->position().toPoint().y());
    if (row >= 0)
        setCurrentRow(row);
    QAbstractScrollArea::mousePressEvent(event);
    event->accept(); // the press was the list's, on a row or not
}

void TextListView::keyPressEvent(QKeyEvent* event) {
    const int current = int(model_.selectedRow());
    switch (event->key()) {
    case Qt::Key_Up:
        moveSelection(current - 1);
        break;
    case Qt::Key_Down:
        moveSelection(current + 1);
        break;
    case Qt::Key_PageUp:
        moveSelection(current - visibleRows());
        break;
    case Qt::Key_PageDown:
        moveSelection(current + visibleRows());
        break;
    case Qt::Key_Home:
        moveSelection(0);
        break;
    case Qt::Key_End:
        moveSelection(model_.rowCount() - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}
