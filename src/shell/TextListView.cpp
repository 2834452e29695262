#include "TextListView.h"

#include "TextListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int textMargin = 3;
// No one reads further along one row; a row of a megabyte still paints at once.
constexpr qsizetype maxPaintedCharacters = 2000;
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
    connect(&model_, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
    connect(&model_, &QAbstractItemModel::modelReset, this, rowsChanged);
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
    }
}

void TextListView::setCurrentRow(int row) {
    model_.setSelectedRow(row);
    scrollToRow(row);
    viewport()->update();
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
