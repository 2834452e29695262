#include "core/MousePointer.h"

void MousePointer::set(int value) {
    if (value == value_)
        return;
    value_ = value;
    emit changed(value_);
}

void MousePointer::hoverOverButton() {
    if (!busy())
        set(Custom);
}

void MousePointer::hoverOverOther() {
    if (!busy())
        set(Default);
}
