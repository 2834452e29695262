#pragma once
// A list view for lists of millions of rows: one column under a header, rows of one
// height, painted straight from the model. It keeps nothing per row, so appending,
// scrolling and painting cost the same at ten rows and at ten million (QTreeView keeps an
// item per row and lays all of them out again as rows arrive).
//
// The selected row lives in the model (TextListModel::selectedRow), where the commands
// read it. Double-click and the Delete key are left to the window's event filter.

#include <QAbstractScrollArea>

class QHeaderView;
class TextListModel;

class TextListView : public QAbstractScrollArea {
    Q_OBJECT
public:
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

private:
    void updateScrollBars();
    void placeHeader();
    int visibleRows() const;
    void moveSelection(int row);

    TextListModel& model_;
    QHeaderView* header_;
};
