#pragma once
// "Start Converting" (PushButton17): looks every entry of the entry list up in the
// zip-code database and fills the results list with one row per distinct database row,
// worded by the save option chosen when the run starts.

#include "convert/EntryConverter.h"
#include "core/Command.h"
#include "core/ErrorTrap.h"
#include "core/EventPump.h"
#include "core/Platform.h"
#include "core/WindowState.h"

#include <QString>

#include <memory>

class ZipDatabase;

class ConversionRun : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* startConvertingLocation =
        "in Marrowby2021/08/31.Form1.PushButton17_Click ";

    ConversionRun(WindowState& state, Platform& platform, QString databasePath);

    void PushButton17_Click();

    static QString noOptionMessage();

private:
    // One run's working set; lives from the opened database to the last entry.
    struct Run {
        ErrorTrap& trap;
        EntryConverter converter;
        EventPump pump;
        bool databaseFailed = false;
    };

    bool checkCanStart();
    std::unique_ptr<ZipDatabase> openDatabase(ErrorTrap& trap, int option);
    bool convertEntries(Run& run);
    void showProgress(Run& run, qsizetype position);
    void convertEntry(Run& run, QStringView entry);
    void endRun();

    QString databasePath_;
};
