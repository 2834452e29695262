// The conversion run over 100,000 and 1,000,000 generated entries against the real
// database, with the window's state objects and no widgets; and, for comparison, a bare
// loop that only classifies and queries every entry (no run, no rows).
//
// Usage: bench_conversion [entries...]   (default: 100000 1000000)

#include "BenchPlatform.h"
#include "BenchWorkload.h"
#include "PeakMemory.h"
#include "convert/ConversionRun.h"
#include "convert/SaveOption.h"
#include "convert/ZipDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

double timeRun(const QStringList& entries, qsizetype& rows, int& yields) {
    WindowState state;
    BenchPlatform platform;
    for (const QString& item : SaveOption::itemTexts())
        state.saveOption.appendItem(item);
    state.saveOption.select(SaveOption::SaveCityStateAndZip);
    for (const QString& entry : entries)
        state.entries.append(entry);
    QCoreApplication::processEvents();

    ConversionRun run(state, platform, QStringLiteral(QUELLIST_ZIPBASE));
    QElapsedTimer timer;
    timer.start();
    run.PushButton17_Click();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (platform.messageTexts() != QStringList{QStringLiteral("Done.")})
        qFatal("the run did not end with Done.: %s",
               qPrintable(platform.messageTexts().join(u'|')));
    rows = state.results.count();
    yields = platform.yields;
    return seconds;
}

double timeBareLookups(const QStringList& entries) {
    ZipDatabase database{QStringLiteral(QUELLIST_ZIPBASE)};
    database.prepare(SaveOption::at(SaveOption::SaveCityStateAndZip).fields());
    const NumericText numeric;
    qsizetype found = 0;
    const auto count = [&](const ZipRow&) { ++found; };
    QElapsedTimer timer;
    timer.start();
    for (const QString& entry : entries) {
        const LookupKeys keys = ClassifyEntry(entry, numeric);
        if (keys.kind == EntryKind::Zip)
            database.lookupZip(keys.zip, count);
        else if (keys.kind == EntryKind::CityState)
            database.lookupCityState(keys.city, keys.state, count);
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(QString::fromLatin1(argv[i]).toInt());
    if (sizes.isEmpty())
        sizes = {100000, 1000000};

    std::printf("%10s %10s %9s %9s %9s %7s %9s\n", "entries", "rows", "run s", "lookup s",
                "run/look", "yields", "peak MB");
    for (int size : sizes) {
        const QStringList entries = BenchWorkload::entries(QStringLiteral(QUELLIST_ZIP_TSV), size);
        qsizetype rows = 0;
        int yields = 0;
        const double run = timeRun(entries, rows, yields);
        const long peak = peakRssMb();
        const double lookup = timeBareLookups(entries);
        std::printf("%10d %10lld %9.3f %9.3f %9.2f %7d %9ld\n", size, static_cast<long long>(rows),
                    run, lookup, run / lookup, yields, peak);
        std::fflush(stdout);
    }
    return 0;
}
