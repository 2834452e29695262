#include "EntryListCommands.h"

#include "ErrorTrap.h"
#include "TrapLocations.h"

EntryListCommands::EntryListCommands(WindowState& state, Platform& platform)
    : state_(state)
    , platform_(platform) {}

const QStringList& EntryListCommands::sampleEntries() {
    static const QStringList entries{
        QStringLiteral("Newburyport, Ma"), QStringLiteral("Nashua , Nh"),
        QStringLiteral("Springfield, Mo"), QStringLiteral("Haverhill, MA"),
        QStringLiteral("03053"),           QStringLiteral("12345")};
    return entries;
}

void EntryListCommands::PushButton7_Click() {
    ErrorTrap trap(platform_, QString::fromLatin1(TrapLocations::loadSample));
    int line = 100;
    for (const QString& entry : sampleEntries()) {
        trap.step(line, [&] { state_.entries.append(entry.toUpper()); });
        line += 2;
    }
}
