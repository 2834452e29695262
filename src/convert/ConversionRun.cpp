#include "convert/ConversionRun.h"

#include "convert/SaveOption.h"
#include "convert/ZipDatabase.h"
#include "core/AppError.h"
#include "core/FileNameFromPath.h"
#include "core/ScopeExit.h"

ConversionRun::ConversionRun(WindowState& state, Platform& platform, QString databasePath)
    : Command(state, platform)
    , databasePath_(std::move(databasePath)) {}

QString ConversionRun::noOptionMessage() {
    return QStringLiteral("Please choose in the box above \"Start Converting\" what part of the "
                          "results you would like to save, then start again.");
}

void ConversionRun::PushButton17_Click() {
    if (state_.isConverting) // 100: a run is under way; a click inside it changes nothing
        return;
    state_.isConverting = true; // 102
    // Whatever ends the run, a later click must be able to start another one.
    const ScopeExit clearFlag([this] { state_.isConverting = false; });

    if (!checkCanStart()) // 104, 106
        return;
    ErrorTrap trap = trapAt(startConvertingLocation);
    const int option = state_.saveOption.index();
    std::unique_ptr<ZipDatabase> database = openDatabase(trap, option); // 108
    if (!database) {
        endRun();
        return;
    }
    trap.step(110, [&] { state_.results.clear(); });
    trap.step(112, [&] { state_.pointer.set(MousePointer::Hourglass); });
    const QLocale locale;
    Run run{trap,
            EntryConverter(*database,
                           [&](const ZipRow& row) {
                               return state_.results.intern(
                                   SaveOption::wordRow(option, row, locale));
                           }),
            EventPump(platform_), false};
    const bool completed = convertEntries(run);
    database.reset();
    endRun();
    if (completed)
        trap.step(142, [&] { tell(QStringLiteral("Done.")); });
}

bool ConversionRun::checkCanStart() {
    if (state_.entries.count() == 0) {
        tell(QStringLiteral("No items added."));
        return false;
    }
    if (!SaveOption::isValid(state_.saveOption.index())) {
        tell(noOptionMessage());
        return false;
    }
    return true;
}

std::unique_ptr<ZipDatabase> ConversionRun::openDatabase(ErrorTrap& trap, int option) {
    std::unique_ptr<ZipDatabase> database;
    trap.step(108, [&] {
        auto opened = std::make_unique<ZipDatabase>(databasePath_);
        opened->prepare(SaveOption::at(option).fields());
        database = std::move(opened);
    });
    return database;
}

// Returns false when the run had to stop before its last entry.
bool ConversionRun::convertEntries(Run& run) {
    const qsizetype entryCount = state_.entries.count(); // read once: later entries wait
    for (qsizetype position = 1; position <= entryCount; ++position) {
        if (run.pump.due())
            showProgress(run, position);
        if (position > state_.entries.count()) { // 120: the list was emptied under the run
            run.trap.step(120, [&] {
                throw AppError(QStringLiteral("Entry %1 is no longer in the list").arg(position));
            });
            return false;
        }
        convertEntry(run, state_.entries.textView(position - 1));
        if (run.databaseFailed) // reported once; the run ends as a failed open does
            return false;
    }
    return true;
}

// Yields, then shows which entry is being processed, and yields again so it paints.
void ConversionRun::showProgress(Run& run, qsizetype position) {
    run.pump.yield(); // 118
    const qsizetype entriesNow = state_.entries.count();
    if (position > entriesNow)
        return;
    state_.pointer.set(MousePointer::Hourglass);                             // 122
    state_.progress.setValue(double(position) / double(entriesNow) * 100.0); // 124
    state_.progress.setText(
        QStringLiteral("Processing: ")
            .append(FileNameFromPath(state_.entries.textView(position - 1)))); // 126
    run.pump.yield();                                                          // 128
}

// 130-136: the entry's rows, each worded once and shared in the results list. A failure
// is reported once; the rest of an entry that fails again is skipped quietly.
void ConversionRun::convertEntry(Run& run, QStringView entry) {
    run.trap.step(132, [&] {
        try {
            const QString failure = run.converter.convertKeeping(
                entry, [&](std::span<const EntryConverter::TextId> rows) {
                    state_.results.appendIds(rows);
                });
            if (!failure.isEmpty())
                throw AppError(failure);
        } catch (const DatabaseFault&) {
            run.databaseFailed = true; // reported below; no later lookup can succeed
            throw;
        }
    });
}

// 138, 140: the window at rest again, whether the run completed or not. IsConverting
// goes back to false last (144), when PushButton17_Click returns.
void ConversionRun::endRun() {
    state_.pointer.set(MousePointer::Default);
    state_.progress.reset();
}
