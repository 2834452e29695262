#pragma once
// The numeric test of entries: does the whole text read as one number in a locale?
// Accepts blanks (U+0020) around the number, a sign before or after it, the locale's
// currency symbol, its thousands separators among the integer digits, one decimal
// separator and an exponent. "03053", " 12 ", "-1,234.5", "1.5E3", "12-" are numeric;
// "", "  ", "12-3456", "1e", "NY" are not.

#include <QLocale>
#include <QString>
#include <QStringView>

class NumericText {
public:
    // Takes the locale's written forms once, so the test itself allocates nothing.
    explicit NumericText(const QLocale& locale = QLocale());

    bool test(QStringView text) const;

private:
    friend class NumericScanner;
    QString decimal_;
    QString group_;
    QString currency_;
    QString plus_;
    QString minus_;
};
