#include "core/TextListModel.h"

#include "core/AppError.h"

#include <QMetaObject>

#include <limits>

TextListModel::TextListModel(Storage storage, QObject* parent)
    : QAbstractListModel(parent)
    , storage_(storage) {
    starts_.push_back(0);
}

void TextListModel::addColumnHeader(const QString& text) {
    headers_.append(text);
    widths_.append(0);
    emit headerDataChanged(Qt::Horizontal, 0, 0);
    emit columnsChanged();
}

void TextListModel::setColumnWidth(int column, int twips) {
    if (column < 0 || column >= widths_.size())
        throw AppError(QStringLiteral("Index out of bounds"));
    widths_[column] = twips;
    emit columnsChanged();
}

int TextListModel::columnWidth(int column) const {
    return column >= 0 && column < widths_.size() ? widths_.at(column) : 0;
}

QStringView TextListModel::textOf(TextId id) const {
    const std::size_t start = starts_[id];
    return QStringView(chars_.data() + start, qsizetype(starts_[id + 1] - start));
}

TextListModel::TextId TextListModel::store(QStringView text) {
    if (starts_.size() > std::numeric_limits<TextId>::max())
        throw AppError(QStringLiteral("Out of memory"));
    chars_.insert(chars_.end(), text.utf16(), text.utf16() + text.size());
    starts_.push_back(chars_.size());
    return TextId(starts_.size() - 2);
}

TextListModel::TextId TextListModel::intern(QStringView text) {
    if (storage_ == Storage::Unique)
        return store(text);
    const QString key = text.toString();
    const auto found = idByText_.constFind(key);
    if (found != idByText_.constEnd())
        return found.value();
    const TextId id = store(text);
    idByText_.insert(key, id);
    return id;
}

void TextListModel::append(QStringView text) {
    rows_.push_back(intern(text));
    scheduleFlush();
}

void TextListModel::appendIds(std::span<const TextId> ids) {
    rows_.append(ids);
    scheduleFlush();
}

void TextListModel::removeAt(qsizetype row) {
    if (row < 0 || row >= count())
        throw AppError(QStringLiteral("Index out of bounds"));
    const bool shown = row < shownRows_;
    if (shown)
        beginRemoveRows({}, int(row), int(row));
    rows_.erase(std::size_t(row));
    if (shown) {
        --shownRows_;
        endRemoveRows();
    }
    // The removed row's selection goes with it; a later selected row moves up with its row.
    if (row == selected_)
        selected_ = -1;
    else if (row < selected_)
        --selected_;
}

void TextListModel::clear() {
    beginResetModel();
    rows_.clear();
    shownRows_ = 0;
    selected_ = -1;
    if (storage_ == Storage::Unique)
        resetStorage();
    endResetModel();
}

void TextListModel::resetStorage() {
    chars_.clear();
    chars_.shrink_to_fit();
    starts_.assign(1, 0);
    starts_.shrink_to_fit();
}

void TextListModel::setSelectedRow(qsizetype row) {
    selected_ = (row >= 0 && row < count()) ? row : -1;
}

void TextListModel::scheduleFlush() {
    if (flushScheduled_)
        return;
    flushScheduled_ = true;
    QMetaObject::invokeMethod(this, &TextListModel::flushAppends, Qt::QueuedConnection);
}

void TextListModel::flushAppends() {
    flushScheduled_ = false;
    if (shownRows_ >= count())
        return;
    // The views hold rows by int: beyond that they show the first INT_MAX rows.
    const qsizetype last = std::min<qsizetype>(count(), std::numeric_limits<int>::max());
    if (last <= shownRows_)
        return;
    beginInsertRows({}, int(shownRows_), int(last - 1));
    shownRows_ = last;
    endInsertRows();
}

QStringView TextListModel::cell(qsizetype row, int column) const {
    return column == 0 ? textView(row) : QStringView();
}

int TextListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shownRows_);
}

QVariant TextListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shownRows_ || role != Qt::DisplayRole)
        return {};
    return textView(index.row()).toString();
}

QVariant TextListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers_.size())
        return {};
    return headers_.at(section);
}
