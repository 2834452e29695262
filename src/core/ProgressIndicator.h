#pragma once
// The progress bar with its text (ProgressBar1): a position from 0 to 100, fractions
// allowed, and the text shown on it. At rest: 0 and "Progress Bar".

#include <QObject>
#include <QString>

class ProgressIndicator : public QObject {
    Q_OBJECT
public:
    static QString restText() { return QStringLiteral("Progress Bar"); }

    double value() const { return value_; }
    const QString& text() const { return text_; }
    void setValue(double value);
    void setText(const QString& text);
    void reset();

signals:
    void changed();

private:
    double value_ = 0;
    QString text_ = restText();
};
