#include "output/ClipboardCopy.h"

#include "core/ErrorTrap.h"
#include "core/HugePages.h"
#include "core/RowLoop.h"
#include "output/ColumnLayout.h"

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
    const QString text = clipboardText(list, pump);
    ClearClipboardWithRetry();
    SetClipboardTextWithRetry(text); // the result is not examined
}

QString ClipboardCopy::clipboardText(const ListSource& list, EventPump& pump) {
    const ColumnLayout::Measure layout =
        ColumnLayout::measure(list, ColumnLayout::Headers::Ignored, pump);
    const std::vector<qsizetype>& widths = layout.widths;
    QString text;
    text.reserve(exactLength(layout));
    HugePages::prefer(text.data(), std::size_t(text.capacity()) * sizeof(char16_t));
    RowLoop loop(list, pump); // a list cleared meanwhile: the text ends with what was read
    for (qsizetype r; loop.next(r);) {
        if (!list.checked(r))
            continue;
        const int columns = std::min(list.columns(), int(widths.size()));
        // Blanks at the line's end are dropped: the last cell goes in unpadded and trimmed.
        for (int c = 0; c + 1 < columns; ++c)
            ColumnLayout::appendCell(text, list.cell(r, c), widths[std::size_t(c)]);
        if (columns > 0)
            text += ColumnLayout::withoutTrailingBlanks(list.cell(r, columns - 1));
        text += QStringLiteral("\r\n");
    }
    return text;
}

qsizetype ClipboardCopy::exactLength(const ColumnLayout::Measure& layout) {
    if (layout.widths.empty())
        return 0;
    qsizetype perRow = 2; // CR LF
    for (std::size_t c = 0; c + 1 < layout.widths.size(); ++c)
        perRow += layout.widths[c] + 1; // padded cell and its tab
    return layout.checkedRows * perRow + layout.trimmedLastCells;
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
