#pragma once
// "Save Results As Excel File" (PushButton13): the results list into a new workbook,
// opened in the desktop's spreadsheet program as an untitled document for the user to
// save. The workbook is written into a fresh file under the user's cache folder, never
// over a file of the user's.

#include "core/Command.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class SpreadsheetExport : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* saveAsExcelLocation =
        "in Marrowby2021/08/31.Form1.PushButton13_Click ";

    SpreadsheetExport(WindowState& state, Platform& platform, qsizetype rowsPerSheet = 1048576);

    void PushButton13_Click();
    bool SaveResultsAsExcelFileIsExcelInstalled();

    static QString probeMessage();
    static QString commandMessage();
    // Where the workbooks go: a folder of the user's cache.
    static QString exportFolder();

private:
    void exportResults(const SpreadsheetProgram& program);
    static QString reserveWorkbookName();

    qsizetype rowsPerSheet_;
    std::optional<SpreadsheetProgram> program_;
};
