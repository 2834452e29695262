#include "commands/HelpCommand.h"

#include "core/BuildSettings.h"
#include "core/ErrorTrap.h"

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
    ErrorTrap trap = trapAt(helpLocation);
    trap.step(100, [&] { tell(entryFormsMessage()); });
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
