#include "WindowState.h"

#include "BuildSettings.h"

WindowState::WindowState()
    : applicationTitle(QString::fromUtf8(BuildSettings::productTitle)) {}
