#include "cli/ConsoleMessage.h"

#include <cstdio>

void ConsoleMessage::say(const QString& text) {
    std::fprintf(stderr, "quellist-convert: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}
