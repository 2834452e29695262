#pragma once
// Start-up of the main window (Form_Load): optional skin, caption, icon, application
// title, hand pointer, the maker's site on one start in a hundred, the lists' columns and
// the save-option box with the remembered choice. Every step runs under the error trap:
// a failing step is reported and start-up goes on; the window opens in any case.

#include "commands/WindowLook.h"
#include "core/Command.h"
#include "core/ErrorTrap.h"
#include "core/Platform.h"
#include "core/WindowState.h"

#include <QString>

class ResultListCommands;

class FormLoad : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* formLoadLocation = "in Marrowby2021/08/31.Form1.Form_Load ";

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

    WindowLook& look_;
    ResultListCommands& resultCommands_;
    QString programFolder_;
};
