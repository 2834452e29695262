// A million entries through the real main window, headless, through the scripted seam:
// load a list file -> "Start Converting" -> "Save Results As Text File" -> "Copy Results
// To Clipboard" -> "Save Results As Excel File" (the spreadsheet program a double), with
// "Save City, State and Zip". For every step: the wall time, the peak memory of the
// process so far, and the longest gap between two passes of the event loop. Then the
// results list jumps to its last row and paints.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_window [entries]   (default 1000000)

#include "BenchPlatform.h"
#include "BenchWorkload.h"
#include "PeakMemory.h"
#include "shell/MainWindow.h"

#include "shell/TextListView.h"
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString writeListFile(const QTemporaryDir& dir, int entries) {
    QString path = dir.filePath(QStringLiteral("entries.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QStringList list = BenchWorkload::entries(QStringLiteral(QUELLIST_ZIP_TSV), entries);
    file.write((list.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    return path;
}

class Steps {
public:
    Steps(BenchPlatform& platform, MainWindow& window)
        : platform_(platform)
        , window_(window) {}

    void click(const char* step, const QString& name) {
        auto* button = window_.control<QPushButton>(name);
        if (!button)
            qFatal("no button %s", qPrintable(name));
        platform_.startStep();
        QElapsedTimer timer;
        timer.start();
        button->click();
        QCoreApplication::processEvents(); // the views catch up, as after any click
        platform_.endStep();
        std::printf("%-28s %8.3f s   longest gap %7.1f ms   peak %5ld MB\n", step,
                    double(timer.nsecsElapsed()) / 1e9, double(platform_.longestGapNs) / 1e6,
                    peakRssMb());
        std::fflush(stdout);
    }

private:
    BenchPlatform& platform_;
    MainWindow& window_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // the bench's settings and cache, not the user's
    const int entries = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000000;
    QTemporaryDir dir;
    QFile::link(QStringLiteral(QUELLIST_ZIPBASE), dir.filePath(QStringLiteral("zipbase.mdb")));
    const QString listFile = writeListFile(dir, entries);

    BenchPlatform platform;
    platform.spreadsheetProgram = SpreadsheetProgram{QStringLiteral("/opt/calc"), {}};
    WindowState state;
    MainWindow window(state, platform, dir.path());
    window.load();
    window.combo1()->activated(0); // "Save City, State and Zip", as a user picks it
    window.show();
    QCoreApplication::processEvents();

    std::printf("%d entries\n", entries);
    Steps steps(platform, window);
    platform.openFileSelections.enqueue({listFile});
    steps.click("load list file", QStringLiteral("PushButton3"));
    steps.click("convert", QStringLiteral("PushButton17"));
    std::printf("%lld result rows\n", static_cast<long long>(state.results.count()));
    platform.saveFileNames.enqueue(dir.filePath(QStringLiteral("results.txt")));
    steps.click("save as text file", QStringLiteral("PushButton4"));
    steps.click("copy to clipboard", QStringLiteral("PushButton5"));
    steps.click("save as workbook", QStringLiteral("PushButton13"));

    TextListView* results = window.listView2();
    QElapsedTimer timer;
    timer.start();
    results->scrollToBottom();
    results->viewport()->repaint();
    std::printf("%-28s %8.1f ms\n", "results: jump to last row",
                double(timer.nsecsElapsed()) / 1e6);
    std::printf("messages: %s\n", qPrintable(platform.messageTexts().join(QStringLiteral(" | "))));
    return 0;
}
