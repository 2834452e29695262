#include "shell/TextProgressBar.h"

void TextProgressBar::setShownText(const QString& text) {
    // The bar shows one short line; an entry of a megabyte would take seconds to lay out.
    constexpr qsizetype maxShown = 300;
    const QString shown = text.size() > maxShown ? text.left(maxShown) + QChar(0x2026) : text;
    if (shown == text_)
        return;
    text_ = shown;
    setAccessibleDescription(shown); // what a screen reader reads beside the value
    update();
}
