#include "output/ClipboardText.h"

#include "core/HugePages.h"
#include "core/RowLoop.h"

QString ClipboardText::of(const ListSource& list, Pacing& pacing) {
    const ColumnLayout::Measure layout =
        ColumnLayout::measure(list, ColumnLayout::Headers::Ignored, pacing);
    const std::vector<qsizetype>& widths = layout.widths;
    QString text;
    text.reserve(exactLength(layout));
    HugePages::prefer(text.data(), std::size_t(text.capacity()) * sizeof(char16_t));
    RowLoop loop(list, pacing); // a list cleared meanwhile: the text ends with what was read
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

qsizetype ClipboardText::exactLength(const ColumnLayout::Measure& layout) {
    if (layout.widths.empty())
        return 0;
    qsizetype perRow = 2; // CR LF
    for (std::size_t c = 0; c + 1 < layout.widths.size(); ++c)
        perRow += layout.widths[c] + 1; // padded cell and its tab
    return layout.checkedRows * perRow + layout.trimmedLastCells;
}
