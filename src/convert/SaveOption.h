#pragma once
// The five save options of Combo1: which columns a run fetches and how it words a row.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

namespace SaveOption {

enum Index {
    SaveCityStateAndZip = 0,
    SaveJustCity = 1,
    SaveJustState = 2,
    SaveJustZip = 3,
    SaveJustCityAndState = 4,
};

bool isValid(int index);
// The item texts in box order; also the values the settings store keeps.
const QStringList& itemTexts();
QString defaultText();
// The column list placed after "SELECT DISTINCT "; empty for an index outside 0..4.
QString columnList(int index);
// A result row from the fields of one database row, in column-list order.
QString wordRow(int index, std::span<const QStringView> fields, const QLocale& locale = QLocale());

} // namespace SaveOption
