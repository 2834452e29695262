#pragma once
// convert: what an entry may look like and how it is looked up.
//
// Entries arrive in the entry list shaped by PadZip (typed and file entries); the
// conversion run reads each with ClassifyEntry into lookup keys, queries ZipDatabase,
// and words each database row by the save option (SaveOption), city names cased by
// ProperCase. ConversionRun is the "Start Converting" command that ties them together.

#include "convert/NumericText.h"

#include <QString>
#include <QStringView>

enum class EntryKind { None, Zip, CityState };

struct LookupKeys {
    EntryKind kind = EntryKind::None;
    QStringView zip;   // Zip: the entry itself, untouched
    QStringView city;  // CityState: piece 0, blanks at both ends removed
    QStringView state; // CityState: piece 1, likewise
};

// Reads an entry into lookup keys. The views point into entry.
LookupKeys ClassifyEntry(QStringView entry, const NumericText& numeric);

// The five-digit zip of a ZIP+4 code as address exports carry it ("03053-1234",
// "030531234", blanks around either); empty for any other entry. The converter reads
// them so; the window keeps its own rules.
QStringView ZipOfZipPlusFour(QStringView entry);

// The casing of city names in result rows: the first letter of each word upper case,
// every other letter lower case. Only blanks and the control characters NUL, tab, LF,
// VT, FF and CR separate words ("WINSTON-SALEM" -> "Winston-salem").
QString ProperCase(QStringView text, const QLocale& locale = QLocale());
