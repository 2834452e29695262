#include "output/ResultListCommands.h"

#include "core/ErrorTrap.h"
#include "core/RemoveSelectedRow.h"
#include "output/SaveOptionSetting.h"

void ResultListCommands::PushButton2_Click() {
    ErrorTrap trap = trapAt(clearResultsLocation);
    trap.step(100, [&] { state_.results.clear(); });
}

void ResultListCommands::ListView2_DblClick() {
    removeSelectedRow(state_.results, state_.pointer);
}

void ResultListCommands::ListView2_KeyDown(int keyCode) {
    if (keyCode == deleteKeyCode)
        removeSelectedRow(state_.results, state_.pointer);
}

void ResultListCommands::Combo1_Click() {
    if (state_.saveOption.index() >= 0)
        SaveOptionSetting::write(platform_, state_.saveOption.text());
}
