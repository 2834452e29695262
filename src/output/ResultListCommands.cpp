#include "ResultListCommands.h"

#include "ErrorTrap.h"
#include "RemoveSelectedRow.h"
#include "SaveOptionSetting.h"
#include "TrapLocations.h"

ResultListCommands::ResultListCommands(WindowState& state, Platform& platform)
    : state_(state)
    , platform_(platform) {}

void ResultListCommands::PushButton2_Click() {
    ErrorTrap trap(platform_, QString::fromLatin1(TrapLocations::clearResults));
    trap.step(100, [&] { state_.results.clear(); });
}

void ResultListCommands::ListView2_DblClick() {
    removeSelectedRow(state_.results, state_.pointer);
}

void ResultListCommands::ListView2_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == deleteKeyCode)
        removeSelectedRow(state_.results, state_.pointer);
}

void ResultListCommands::Combo1_Click() {
    if (state_.saveOption.index() >= 0)
        SaveOptionSetting::write(state_.saveOption.text());
}
