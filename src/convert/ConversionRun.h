#pragma once
// "Start Converting" (PushButton17): looks every entry of the entry list up in the
// zip-code database and fills the results list with one row per distinct database row,
// worded by the save option chosen when the run starts.

#include "EntryConverter.h"
#include "ErrorTrap.h"
#include "EventPump.h"
#include "Platform.h"
#include "WindowState.h"

#include <QSet>
#include <QString>

#include <memory>

class ZipDatabase;

class ConversionRun {
public:
    ConversionRun(WindowState& state, Platform& platform, QString databasePath);

    void PushButton17_Click();

    static QString noOptionMessage();

private:
    // One run's working set; lives from the opened database to the last entry.
    struct Run {
        ErrorTrap& trap;
        EntryConverter converter;
        EventPump pump;
        QSet<QString> reportedFailures;
        bool databaseFailed = false;
    };

    bool checkCanStart();
    std::unique_ptr<ZipDatabase> openDatabase(ErrorTrap& trap, int option);
    bool convertEntries(Run& run);
    void showProgress(Run& run, qsizetype position);
    void convertEntry(Run& run, QStringView entry);
    void endRun();

    WindowState& state_;
    Platform& platform_;
    QString databasePath_;
};
