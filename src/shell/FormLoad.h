#pragma once
// Start-up of the main window (Form_Load): optional skin, caption, icon, application
// title, hand pointer, the maker's site on one start in a hundred, the lists' columns and
// the save-option box with the remembered choice. Every step runs under the error trap:
// a failing step is reported and start-up goes on; the window opens in any case.

#include "ErrorTrap.h"
#include "Platform.h"
#include "WindowLook.h"
#include "WindowState.h"

#include <QString>

class ResultListCommands;

class FormLoad {
public:
    FormLoad(WindowState& state, Platform& platform, WindowLook& look,
             ResultListCommands& resultCommands, QString programFolder);

    void Form_Load();

    // The program folder followed by the names of the files start-up looks for.
    QString skinPath() const { return programFolder_ + QStringLiteral("/x/o.cjs"); }
    QString cursorPath() const { return programFolder_ + QStringLiteral("/HAND-M.CUR"); }

private:
    void ApplySkinIfPresent();
    void loadCustomPointer();
    void OpenWebsiteByChance();
    void setUpColumns(ErrorTrap& trap);
    void setUpSaveOption(ErrorTrap& trap);

    WindowState& state_;
    Platform& platform_;
    WindowLook& look_;
    ResultListCommands& resultCommands_;
    QString programFolder_;
};
