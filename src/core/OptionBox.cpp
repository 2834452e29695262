#include "core/OptionBox.h"

#include "core/AppError.h"

void OptionBox::appendItem(const QString& text) {
    items_.append(text);
    emit itemsChanged();
}

void OptionBox::select(int index) {
    index_ = (index >= 0 && index < items_.size()) ? index : -1;
    emit selectionChanged(index_);
}

void OptionBox::selectByText(const QString& text) {
    const qsizetype found = items_.indexOf(text);
    if (found < 0)
        throw AppError(QStringLiteral("No item of the box reads \"%1\"").arg(text));
    select(int(found));
}
