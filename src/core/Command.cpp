#include "core/Command.h"

void Command::tell(const QString& text) const {
    platform_.showMessage(text, MessageButtons::Ok, MessageIcon::None, state_.applicationTitle);
}

ErrorTrap Command::trapAt(const char* location) const {
    return ErrorTrap(platform_, QString::fromLatin1(location));
}
