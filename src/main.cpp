// Quellist: converts lists of US zip codes to cities and states, and back.

#include "MainWindow.h"
#include "QtPlatform.h"
#include "WindowState.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtPlatform platform;
    WindowState state;
    MainWindow window(state, platform,
                      QApplication::applicationDirPath() + QStringLiteral("/zipbase.mdb"));
    platform.setWindow(&window);
    window.show();
    return app.exec();
}
