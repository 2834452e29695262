#include "MousePointer.h"

void MousePointer::set(int value) {
    if (value == value_)
        return;
    value_ = value;
    emit changed(value_);
}
