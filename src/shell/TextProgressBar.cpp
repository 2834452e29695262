#include "TextProgressBar.h"

void TextProgressBar::setShownText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    update();
}
