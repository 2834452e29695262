#include "core/ProgressIndicator.h"

void ProgressIndicator::setValue(double value) {
    value_ = value;
    emit changed();
}

void ProgressIndicator::setText(const QString& text) {
    text_ = text;
    emit changed();
}

void ProgressIndicator::reset() {
    value_ = 0;
    text_ = restText();
    emit changed();
}
