#pragma once
// A list view's items (ListView1, ListView2) behind a Qt model: one column of texts,
// column headers, and a selected row. Texts live in one contiguous buffer and rows are
// ids into it, so a million rows cost a few bytes each instead of one allocation each.
//
// In Shared mode equal texts are stored once (the results list: millions of rows share
// the few tens of thousands of texts the database can produce); the ids handed out by
// intern() stay valid for the model's whole life, also across clear().
//
// Commands see every appended row at once (count(), text()); the views are told about
// appends in batches, the next time the event loop runs.

#include "core/BlockVector.h"
#include "core/ListSource.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

class TextListModel : public QAbstractListModel, public ListSource {
    Q_OBJECT
public:
    enum class Storage { Unique, Shared };
    using TextId = std::uint32_t;

    explicit TextListModel(Storage storage, QObject* parent = nullptr);

    // Column headers (the list's report-view columns) and their widths in twips.
    void addColumnHeader(const QString& text);
    void setColumnWidth(int column, int twips);
    const QStringList& columnHeaders() const { return headers_; }
    int columnWidth(int column) const;

    // Rows, 0-based here; the commands' 1-based positions are converted by the caller.
    qsizetype count() const { return qsizetype(rows_.size()); }
    QStringView textView(qsizetype row) const { return textOf(rows_[std::size_t(row)]); }
    QString text(qsizetype row) const { return textView(row).toString(); }
    void append(QStringView text);
    // Shared mode: the id of a text, stored once; appendIds adds rows by such ids.
    TextId intern(QStringView text);
    void appendIds(std::span<const TextId> ids);
    void removeAt(qsizetype row);
    void clear();

    // The selected row, -1 when none; kept by the view through setSelectedRow.
    qsizetype selectedRow() const { return selected_; }
    void setSelectedRow(qsizetype row);

    // Tells the views about the rows appended since the last call.
    void flushAppends();

    // ListSource: one column per header, no check boxes.
    int columns() const override { return int(headers_.size()); }
    QString header(int column) const override { return headers_.value(column); }
    qsizetype rows() const override { return count(); }
    QStringView cell(qsizetype row, int column) const override;
    bool checked(qsizetype) const override { return true; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void columnsChanged();

private:
    QStringView textOf(TextId id) const;
    TextId store(QStringView text);
    void scheduleFlush();
    void resetStorage();

    Storage storage_;
    QStringList headers_;
    QList<int> widths_;
    std::vector<char16_t> chars_;
    std::vector<std::size_t> starts_; // text id -> start in chars_; one extra end marker
    QHash<QString, TextId> idByText_; // Shared mode only
    BlockVector<TextId> rows_;        // grows without moving: no pause at a million rows
    qsizetype shownRows_ = 0;         // rows the views know about
    qsizetype selected_ = -1;
    bool flushScheduled_ = false;
};
