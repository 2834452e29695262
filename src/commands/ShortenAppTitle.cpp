#include "commands/ShortenAppTitle.h"

QString ShortenAppTitle(const QString& productTitle) {
    constexpr qsizetype maximum = 40;
    QString title = productTitle;
    while (title.size() > maximum) {
        const qsizetype lastBlank = title.lastIndexOf(u' ');
        // A single word longer than the maximum has no blank to cut at: cut the word.
        title.truncate(lastBlank >= 0 ? lastBlank : maximum);
    }
    return title;
}
