#include "core/WindowState.h"

#include "core/BuildSettings.h"

WindowState::WindowState()
    : applicationTitle(QString::fromUtf8(BuildSettings::productTitle)) {}
