#include "ClipboardCopy.h"

#include "ColumnLayout.h"
#include "ErrorTrap.h"
#include "TrapLocations.h"

ClipboardCopy::ClipboardCopy(WindowState& state, Platform& platform)
    : state_(state)
    , platform_(platform) {}

QString ClipboardCopy::confirmation() {
    return QStringLiteral("Results have been copied to the clipboard.\r\rClick a text area where "
                          "you normally type and press Ctrl+V to paste the clipboard.");
}

void ClipboardCopy::PushButton5_Click() {
    ErrorTrap trap(platform_, QString::fromLatin1(TrapLocations::copyToClipboard));
    trap.step(100, [&] { state_.pointer.set(MousePointer::Hourglass); });
    trap.step(102, [&] { CopyListviewToClipboard(state_.results); });
    trap.step(104, [&] {
        platform_.showMessage(confirmation(), MessageButtons::Ok, MessageIcon::None,
                              state_.applicationTitle);
    });
    trap.step(106, [&] { state_.pointer.set(MousePointer::Default); });
}

void ClipboardCopy::CopyListviewToClipboard(const ListSource& list) {
    if (list.rows() == 0)
        return;
    EventPump pump(platform_);
    const QString text = clipboardText(list, pump);
    ClearClipboardWithRetry();
    SetClipboardTextWithRetry(text, 0); // the result is not examined
}

QString ClipboardCopy::clipboardText(const ListSource& list, EventPump& pump) {
    const std::vector<qsizetype> widths =
        ColumnLayout::widths(list, ColumnLayout::Headers::Ignored, pump);
    QString text;
    const qsizetype rows = list.rows();
    for (qsizetype r = 0; r < rows; ++r) {
        if (pump.due()) {
            pump.yield();
            if (r >= list.rows()) // the list was cleared: the text ends with what was read
                break;
        }
        if (!list.checked(r))
            continue;
        const int columns = std::min(list.columns(), int(widths.size()));
        for (int c = 0; c < columns; ++c)
            ColumnLayout::appendCell(text, list.cell(r, c), widths[std::size_t(c)]);
        text.chop(1); // the row's last tab
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] == u' ')
            --end;
        text.truncate(end);
        text += QStringLiteral("\r\n");
    }
    return text;
}

void ClipboardCopy::ClearClipboardWithRetry() {
    for (int attempt = 1; attempt <= maxAttempts; ++attempt)
        if (platform_.clearClipboard())
            return;
}

bool ClipboardCopy::SetClipboardTextWithRetry(const QString& text, int /*format*/) {
    for (int attempt = 1; attempt <= maxAttempts; ++attempt)
        if (platform_.setClipboardText(text))
            return true;
    return false;
}
