#include "convert/NumericText.h"

// Walks the text once: [sign|currency]* digits-with-separators [exponent] [sign|currency]*.
class NumericScanner {
public:
    NumericScanner(QStringView text, const NumericText& forms)
        : text_(text)
        , decimal_(forms.decimal_)
        , group_(forms.group_)
        , currency_(forms.currency_)
        , plus_(forms.plus_)
        , minus_(forms.minus_) {}

    bool scan() {
        skipBlanks();
        bool signSeen = false;
        bool currencySeen = false;
        skipAffixes(signSeen, currencySeen);
        if (!scanMantissa())
            return false;
        scanExponent();
        skipAffixes(signSeen, currencySeen);
        return pos_ == text_.size();
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    bool isDigitAt(qsizetype at) const {
        return at < text_.size() && text_[at] >= u'0' && text_[at] <= u'9';
    }
    bool lookingAt(QStringView piece) const {
        return !piece.isEmpty() && text_.mid(pos_).startsWith(piece);
    }
    bool take(QStringView piece) {
        if (!lookingAt(piece))
            return false;
        pos_ += piece.size();
        return true;
    }
    void skipBlanks() {
        while (!atEnd() && text_[pos_] == u' ')
            ++pos_;
    }
    bool takeSign() { return take(minus_) || take(plus_) || take(u"-") || take(u"+"); }

    // Signs and the currency symbol, each at most once, with blanks between them.
    void skipAffixes(bool& signSeen, bool& currencySeen) {
        for (;;) {
            skipBlanks();
            if (!signSeen && takeSign())
                signSeen = true;
            else if (!currencySeen && take(currency_))
                currencySeen = true;
            else
                return;
        }
    }

    // Digits with thousands separators between them, then one optional decimal part.
    bool scanMantissa() {
        bool digits = false;
        while (!atEnd()) {
            if (isDigitAt(pos_)) {
                ++pos_;
                digits = true;
            } else if (digits && lookingAt(group_) && isDigitAt(pos_ + group_.size())) {
                pos_ += group_.size();
            } else {
                break;
            }
        }
        if (take(decimal_)) {
            while (isDigitAt(pos_)) {
                ++pos_;
                digits = true;
            }
        }
        return digits;
    }

    // "E" or "e" (or "D"/"d", the double-precision mark), a sign, at least one digit.
    void scanExponent() {
        const qsizetype start = pos_;
        if (atEnd())
            return;
        const QChar mark = text_[pos_].toUpper();
        if (mark != u'E' && mark != u'D')
            return;
        ++pos_;
        if (!take(u"-"))
            take(u"+");
        if (!isDigitAt(pos_)) {
            pos_ = start;
            return;
        }
        while (isDigitAt(pos_))
            ++pos_;
    }

    QStringView text_;
    QStringView decimal_;
    QStringView group_;
    QStringView currency_;
    QStringView plus_;
    QStringView minus_;
    qsizetype pos_ = 0;
};

namespace {

bool isAsciiDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

NumericText::NumericText(const QLocale& locale)
    : decimal_(locale.decimalPoint())
    , group_(locale.groupSeparator())
    , currency_(locale.currencySymbol())
    , plus_(locale.positiveSign())
    , minus_(locale.negativeSign()) {}

bool NumericText::test(QStringView text) const {
    if (isAsciiDigits(text)) // the common case: a zip code
        return true;
    return NumericScanner(text, *this).scan();
}
