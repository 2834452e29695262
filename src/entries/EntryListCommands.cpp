#include "entries/EntryListCommands.h"

#include "core/ErrorTrap.h"
#include "core/RemoveSelectedRow.h"
#include "core/TextRules.h"

const QStringList& EntryListCommands::sampleEntries() {
    static const QStringList entries{
        QStringLiteral("Newburyport, Ma"), QStringLiteral("Nashua , Nh"),
        QStringLiteral("Springfield, Mo"), QStringLiteral("Haverhill, MA"),
        QStringLiteral("03053"),           QStringLiteral("12345")};
    return entries;
}

void EntryListCommands::PushButton6_Click() {
    ErrorTrap trap = trapAt(addEntryLocation);
    QString entry;
    trap.step(100, [&] {
        entry = platform_.inputPrompt(QStringLiteral("Enter city, state or zip code to add: "),
                                      state_.applicationTitle);
    });
    if (entry.isEmpty()) // 102: cancelled, or OK on an empty field
        return;
    trap.step(104, [&] { entry = PadZip(entry); });
    trap.step(106, [&] { state_.entries.append(entry); });
}

void EntryListCommands::PushButton7_Click() {
    ErrorTrap trap = trapAt(loadSampleLocation);
    int line = 100;
    for (const QString& entry : sampleEntries()) {
        trap.step(line, [&] { state_.entries.append(entry.toUpper()); });
        line += 2;
    }
}

void EntryListCommands::PushButton1_Click() {
    ErrorTrap trap = trapAt(clearListLocation);
    if (state_.pointer.busy()) // 100
        return;
    trap.step(102, [&] { state_.entries.clear(); });
}

void EntryListCommands::ListView1_DblClick() {
    removeSelectedRow(state_.entries, state_.pointer);
}

void EntryListCommands::ListView1_KeyDown(int keyCode) {
    if (keyCode == deleteKeyCode)
        removeSelectedRow(state_.entries, state_.pointer);
}
