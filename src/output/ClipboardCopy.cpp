#include "output/ClipboardCopy.h"

#include "core/ErrorTrap.h"
#include "core/EventPump.h"
#include "output/ClipboardText.h"

QString ClipboardCopy::confirmation() {
    return QStringLiteral("Results have been copied to the clipboard.\r\rClick a text area where "
                          "you normally type and press Ctrl+V to paste the clipboard.");
}

void ClipboardCopy::PushButton5_Click() {
    ErrorTrap trap = trapAt(copyToClipboardLocation);
    trap.step(100, [&] { state_.pointer.set(MousePointer::Hourglass); });
    trap.step(102, [&] { CopyListviewToClipboard(state_.results); });
    trap.step(104, [&] { tell(confirmation()); });
    trap.step(106, [&] { state_.pointer.set(MousePointer::Default); });
}

void ClipboardCopy::CopyListviewToClipboard(const ListSource& list) {
    if (list.rows() == 0)
        return;
    EventPump pump(platform_);
    const QString text = ClipboardText::of(list, pump);
    ClearClipboardWithRetry();
    SetClipboardTextWithRetry(text); // the result is not examined
}

void ClipboardCopy::ClearClipboardWithRetry() {
    for (int attempt = 1; attempt <= maxAttempts; ++attempt)
        if (platform_.clearClipboard())
            return;
}

bool ClipboardCopy::SetClipboardTextWithRetry(const QString& text) {
    for (int attempt = 1; attempt <= maxAttempts; ++attempt)
        if (platform_.setClipboardText(text))
            return true;
    return false;
}
