#include "HelpCommand.h"

#include "BuildSettings.h"
#include "ErrorTrap.h"
#include "TrapLocations.h"

HelpCommand::HelpCommand(WindowState& state, Platform& platform)
    : state_(state)
    , platform_(platform) {}

QString HelpCommand::entryFormsMessage() {
    return QStringLiteral("Entries should look like: New York, NY (with a comma separating city "
                          "and state) or 03053. Please email ") +
           QString::fromUtf8(BuildSettings::supportEmail) +
           QStringLiteral(" if you have any questions.");
}

QUrl HelpCommand::helpPage() {
    return QUrl(QString::fromUtf8(BuildSettings::website) + QStringLiteral("/vantoria/help/"));
}

void HelpCommand::PushButton8_Click() {
    ErrorTrap trap(platform_, QString::fromLatin1(TrapLocations::help));
    trap.step(100, [&] {
        platform_.showMessage(entryFormsMessage(), MessageButtons::Ok, MessageIcon::None,
                              state_.applicationTitle);
    });
    MessageAnswer answer = MessageAnswer::No;
    const bool asked = trap.step(102, [&] {
        answer = platform_.showMessage(
            QStringLiteral("Would you like to read the online help file?"), MessageButtons::YesNo,
            MessageIcon::None, state_.applicationTitle);
    });
    // After a failed question the trap goes on with the action the question guards.
    if (answer == MessageAnswer::Yes || !asked)
        trap.step(104, [&] { platform_.openUrl(helpPage()); }); // the result is not examined
}
