#include "cli/ConsolePlatform.h"

#include <QRegularExpression>

#include <cstdio>

MessageAnswer ConsolePlatform::showMessage(const QString& text, MessageButtons buttons, MessageIcon,
                                           const QString&) {
    // A report's first line names the failure; the rest is for the window's user.
    say(text.section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0));
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

void ConsolePlatform::say(const QString& text) {
    std::fprintf(stderr, "quellist-convert: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}
