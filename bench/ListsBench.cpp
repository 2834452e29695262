// Lists in and out at a million rows: loading a list file, saving the results as aligned
// text, copying them to the clipboard (the real QClipboard), writing them into a workbook
// (a tenth of them, then all). For each: the time, the
// longest gap between two yields, and the peak memory of the process so far.
//
// Usage: QT_QPA_PLATFORM=offscreen bench_lists [rows]   (default 1000000)

#include "PeakMemory.h"
#include "core/WindowState.h"
#include "entries/ListFileImport.h"
#include "output/AlignedTextSave.h"
#include "output/ClipboardCopy.h"
#include "output/OutputTarget.h"
#include "output/WorkbookWriter.h"
#include "shell/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The real platform, measuring the gaps between yields.
class MeasuringPlatform : public QtPlatform {
public:
    void processEvents() override {
        const qint64 now = clock_.nsecsElapsed();
        if (started_)
            longestGapNs = std::max(longestGapNs, now - lastNs_);
        started_ = true;
        QtPlatform::processEvents();
        lastNs_ = clock_.nsecsElapsed();
    }
    // The step is over: the stretch since the last yield counts as a gap too.
    void endStep() {
        longestGapNs = std::max(longestGapNs, clock_.nsecsElapsed() - (started_ ? lastNs_ : 0));
    }
    void startStep() {
        clock_.start();
        started_ = false;
        longestGapNs = 0;
    }
    qint64 longestGapNs = 0;

private:
    QElapsedTimer clock_;
    qint64 lastNs_ = 0;
    bool started_ = false;
};

void report(const char* step, const QElapsedTimer& timer, MeasuringPlatform& platform) {
    platform.endStep();
    std::printf("%-22s %8.3f s   longest gap %6.1f ms   peak %5ld MB\n", step,
                double(timer.nsecsElapsed()) / 1e9, double(platform.longestGapNs) / 1e6,
                peakRssMb());
    std::fflush(stdout);
}

QString writeListFile(const QTemporaryDir& dir, int rows) {
    QString path = dir.filePath(QStringLiteral("list.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray text;
    for (int i = 0; i < rows; ++i)
        text += (i % 2 ? QByteArray("nashua , nh\r\n")
                       : QByteArray::number(10000 + i % 89999) + "\r\n");
    file.write(text);
    return path;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000000;
    QTemporaryDir dir;
    MeasuringPlatform platform;
    WindowState state;
    state.results.addColumnHeader(QStringLiteral("Results"));

    const QString listFile = writeListFile(dir, rows);
    std::printf("%d rows, list file %lld bytes\n", rows,
                static_cast<long long>(QFileInfo(listFile).size()));
    QElapsedTimer timer;
    platform.startStep();
    timer.start();
    ListFileImport(state, platform).FileToListview(state.entries, listFile);
    report("load list file", timer, platform);

    for (int i = 0; i < rows; ++i)
        state.results.append(QStringLiteral("Springfield, MO %1").arg(65801 + i % 99));
    platform.startStep();
    timer.start();
    AlignedTextSave(platform, &state.progress)
        .SaveListviewProperlySpaced(state.results, dir.filePath(QStringLiteral("out.txt")));
    report("save as aligned text", timer, platform);

    platform.startStep();
    timer.start();
    ClipboardCopy(state, platform).CopyListviewToClipboard(state.results);
    report("copy to clipboard", timer, platform);

    TextListModel tenth(TextListModel::Storage::Shared);
    tenth.addColumnHeader(QStringLiteral("Results"));
    for (qsizetype i = 0; i < state.results.count() / 10; ++i)
        tenth.append(state.results.textView(i));
    for (const TextListModel* list : {&tenth, &state.results}) {
        platform.startStep();
        timer.start();
        EventPump pump(platform);
        OutputTarget target(dir.filePath(QStringLiteral("out.xlsx")));
        WorkbookWriter(pump).write(*list, target);
        target.commit();
        const QByteArray step = "workbook " + QByteArray::number(list->count()) + " rows";
        report(step.constData(), timer, platform);
    }
    return 0;
}
