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

signals:
    void changed(int value);

private:
    int value_ = Default;
};
