#pragma once
// The save options of Combo1, in box order: the one table that says, for each, the text
// the box shows (also the value the settings store keeps), the name quellist-convert's
// --save takes, the fields a run fetches and how a result row is worded from them. The
// window's run, the converter's every format and the settings all read this table; a
// further option is one more row.

#include "convert/ZipField.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

struct SaveOptionInfo {
    // One fetched field and the text that follows it in the row.
    struct Part {
        ZipField field;
        const char* after;
    };
    const char* itemText;
    const char* name;
    std::vector<Part> parts; // the fields in the order the query fetches them

    std::vector<ZipField> fields() const;
};

namespace SaveOption {

// Positions in the table, for code that means one option by name.
enum Index {
    SaveCityStateAndZip = 0,
    SaveJustCity = 1,
    SaveJustState = 2,
    SaveJustZip = 3,
    SaveJustCityAndState = 4,
};

std::span<const SaveOptionInfo> all();
bool isValid(int index);
// The option at a valid index.
const SaveOptionInfo& at(int index);
QStringList itemTexts();
QStringList names();
QString defaultText();

// A field as every result shows it: city names in ProperCase, the others as stored.
QString shown(ZipField field, QStringView value, const QLocale& locale);
// A result row from the named fields of one database row; empty for an index outside
// the table.
QString wordRow(int index, const ZipRow& row, const QLocale& locale = QLocale());

} // namespace SaveOption
