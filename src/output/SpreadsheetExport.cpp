#include "output/SpreadsheetExport.h"

#include "core/AppError.h"
#include "core/ErrorTrap.h"
#include "core/EventPump.h"
#include "core/ScopeExit.h"
#include "output/OutputTarget.h"
#include "output/WorkbookWriter.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

SpreadsheetExport::SpreadsheetExport(WindowState& state, Platform& platform, qsizetype rowsPerSheet)
    : Command(state, platform)
    , rowsPerSheet_(rowsPerSheet) {}

QString SpreadsheetExport::probeMessage() {
    return QStringLiteral("Excel is not installed on this computer. You need to have it "
                          "installed to use this software without error.");
}

QString SpreadsheetExport::commandMessage() {
    return QStringLiteral("Excel is not installed on this computer. You need to have it "
                          "installed to use this feature.");
}

QString SpreadsheetExport::exportFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/workbooks");
}

bool SpreadsheetExport::SaveResultsAsExcelFileIsExcelInstalled() {
    program_ = platform_.findSpreadsheetProgram();
    if (!program_)
        tell(probeMessage());
    return program_.has_value();
}

void SpreadsheetExport::PushButton13_Click() {
    if (!SaveResultsAsExcelFileIsExcelInstalled()) {
        tell(commandMessage());
        return;
    }
    if (state_.results.count() == 0)
        return;
    state_.pointer.set(MousePointer::Hourglass);
    const ScopeExit resetPointer([this] { state_.pointer.set(MousePointer::Default); });
    exportResults(*program_);
}

// Steps 104 to 116 as one trapped step: a failure is reported once and nothing is left
// half-written; the spreadsheet program starts only on a complete workbook.
void SpreadsheetExport::exportResults(const SpreadsheetProgram& program) {
    ErrorTrap trap = trapAt(saveAsExcelLocation);
    trap.step(104, [&] {
        const QString path = reserveWorkbookName();
        bool handedOver = false;
        // A workbook nobody will open goes: on a failure, and when the window closes.
        const ScopeExit removeUnlessHandedOver([&] {
            if (!handedOver)
                QFile::remove(path);
        });
        {
            OutputTarget target(path);
            EventPump pump(platform_);
            WorkbookWriter(pump, rowsPerSheet_).write(state_.results, target);
            pump.runBeside([&] { target.commit(); });
        }
        if (!platform_.startProgram(program.program,
                                    program.argumentsBeforeFile + QStringList{path}))
            throw AppError(QStringLiteral("Cannot start %1").arg(program.program));
        handedOver = true;
    });
}

// A fresh name in the cache folder, taken by an empty file so no other export takes it.
QString SpreadsheetExport::reserveWorkbookName() {
    const QString folder = exportFolder();
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Cannot create the folder %1").arg(folder));
    QTemporaryFile file(folder + QStringLiteral("/Results-XXXXXX.xlsx"));
    if (!file.open())
        throw AppError(
            QStringLiteral("Cannot create a workbook in %1: %2").arg(folder, file.errorString()));
    file.setAutoRemove(false);
    return file.fileName();
}
