#pragma once
// Text rules more than one part of the program applies: the entry list pads what it adds,
// the list-file reader pads what it reads, the conversion trims the pieces of a key.

#include <QString>
#include <QStringView>

// Restores leading zeros lost from a zip code: texts shorter than five characters are
// padded on the left with "0" to five, whatever they hold.
QString PadZip(const QString& text);

// The text without the blanks (U+0020 only; tabs stay) at both of its ends.
QStringView TrimBlanks(QStringView text);
