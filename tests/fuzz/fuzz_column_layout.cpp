// The aligned layout the text file and the clipboard share, on lists of any shape: lines
// split the input into rows, tabs into cells; a row starting with "-" is unchecked.

#include "FuzzCheck.h"
#include "output/ClipboardText.h"
#include "output/ColumnLayout.h"
#include "support/TableSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    TableSource table;
    const QStringList lines = text.split(u'\n');
    table.headers = lines.first().split(u'\t');
    qsizetype checkedRows = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const bool checked = !lines.at(i).startsWith(u'-');
        checkedRows += checked;
        table.checks.append(checked);
        table.rowCells.append(lines.at(i).split(u'\t'));
    }
    const std::vector<qsizetype> widths =
        ColumnLayout::widths(table, ColumnLayout::Headers::Counted, Pacing::none());
    FUZZ_CHECK(widths.size() == std::size_t(table.columns()));
    QString line;
    for (int c = 0; c < table.columns(); ++c)
        ColumnLayout::appendCell(line, table.header(c), widths[std::size_t(c)]);
    FUZZ_CHECK(line.count(u'\t') >= table.columns());

    const QString clipboard = ClipboardText::of(table);
    FUZZ_CHECK(clipboard.count(QStringLiteral("\r\n")) >= checkedRows);
    FUZZ_CHECK(checkedRows == 0 || clipboard.endsWith(QStringLiteral("\r\n")));
    return 0;
}
