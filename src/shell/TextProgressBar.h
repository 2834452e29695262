#pragma once
// A progress bar that shows its text as given. QProgressBar's format would expand "%p",
// "%v" and "%m" inside an entry's text. Assistive technology reads the value and, as the
// bar's description, the same text.

#include <QProgressBar>

class TextProgressBar : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

    void setShownText(const QString& text);
    QString text() const override { return text_; }

private:
    QString text_;
};
