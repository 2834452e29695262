#pragma once
// The window's mouse pointer. It doubles as the program's busy flag: the hourglass
// shows while a long command runs, and the list editing commands do nothing then.

#include <QObject>

class MousePointer : public QObject {
    Q_OBJECT
public:
    enum Shape { Default = 0, Hourglass = 11, Custom = 99 };

    int value() const { return value_; }
    void set(int value);
    bool busy() const { return value_ == Hourglass; }

    // Hover feedback: the hand over a push button, the arrow elsewhere; the hourglass of a
    // running command stays.
    void hoverOverButton();
    void hoverOverOther();

signals:
    void changed(int value);

private:
    int value_ = Default;
};
