// Quellist: converts lists of US zip codes to cities and states, and back.

#include "core/WindowState.h"
#include "shell/MainWindow.h"
#include "shell/QtPlatform.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Names the per-user folders (settings, cache) after the maker and the product.
    QApplication::setOrganizationName(QStringLiteral("Tarnwell"));
    QApplication::setApplicationName(QStringLiteral("Quellist"));
    // The desktop entry's name: Wayland's app id and the X11 window class, by which the
    // desktop finds the window's launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tarnwell.Quellist"));
    QtPlatform platform;
    WindowState state;
    MainWindow window(state, platform, QApplication::applicationDirPath());
    platform.setWindow(&window);
    QObject::connect(&window, &MainWindow::closed, &app, [&platform] {
        // Closing the window ends the program at once, also in the middle of a command.
        platform.markWindowClosed();
        QApplication::quit();
    });
    window.load();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
