#pragma once
// A list view for lists of millions of rows: one column under a header, rows of one
// height, painted straight from the model. It keeps nothing per row, so appending,
// scrolling and painting cost the same at ten rows and at ten million (QTreeView keeps an
// item per row and lays all of them out again as rows arrive).
//
// The selected row lives in the model (TextListModel::selectedRow), where the commands
// read it. Double-click and the Delete key are left to the window's event filter.
// Assistive technology (through TextListAccessible, when the program installs it) hears
// of new rows and of the selection moving. The focused list shows a focus frame round its selected
// row.

#include <QAbstractScrollArea>
#include <QAccessible>

class QHeaderView;
class TextListModel;

class TextListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // No one reads further along one row; a row of a megabyte still paints at once.
    static constexpr qsizetype maxPaintedCharacters = 2000;

    TextListView(TextListModel& model, QWidget* parent = nullptr);

    TextListModel& model() const { return model_; }
    QHeaderView* header() const { return header_; }
    int rowHeight() const;
    // The row's rectangle in viewport coordinates (empty when it is not on screen).
    QRect rowRect(int row) const;
    int rowAt(int y) const;
    void setCurrentRow(int row);
    void scrollToRow(int row);
    void scrollToBottom();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateScrollBars();
    void placeHeader();
    int visibleRows() const;
    void moveSelection(int row);
    void paintFocusFrame(QPainter& painter, const QRect& rowRect);
    void announceSelection();
    void announceRows(QAccessibleTableModelChangeEvent::ModelChangeType type, int first, int last);

    TextListModel& model_;
    QHeaderView* header_;
};
