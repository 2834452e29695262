// Start-up to the window shown: creates the application and the main window as the
// program does, runs Form_Load, shows the window and waits until it is on screen.
// Built next to the program so that it finds zipbase.mdb, HAND-M.CUR and the skin there.
//
// Usage: bench_startup   (on an X display, e.g. under Xvfb)

#include "core/WindowState.h"
#include "shell/MainWindow.h"
#include "shell/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    const qint64 application = timer.elapsed();
    QtPlatform platform;
    WindowState state;
    MainWindow window(state, platform, QApplication::applicationDirPath());
    platform.setWindow(&window);
    window.load();
    const qint64 loaded = timer.elapsed();
    window.show();
    // Wait for the first paint to finish: the window is then on screen.
    QTimer::singleShot(0, &app, [&] {
        std::printf("application %lld ms, Form_Load %lld ms, shown %lld ms\n",
                    static_cast<long long>(application),
                    static_cast<long long>(loaded - application),
                    static_cast<long long>(timer.elapsed()));
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
