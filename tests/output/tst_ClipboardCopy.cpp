// "Copy Results To Clipboard": the exact text, the confirmation, and the retries while
// another program holds the clipboard.

#include "output/ClipboardCopy.h"
#include "output/ClipboardText.h"
#include "support/ScriptedPlatform.h"
#include "support/TableSource.h"

#include <QTest>

namespace {

struct Fixture {
    Fixture() { state.results.addColumnHeader(QStringLiteral("Results")); }
    void copy() { ClipboardCopy(state, platform).PushButton5_Click(); }

    WindowState state;
    ScriptedPlatform platform;
};

} // namespace

class ClipboardCopyTest : public QObject {
    Q_OBJECT
private slots:
    void twoRows();
    void emptyListLeavesClipboardAlone();
    void twoColumnsAndClearedCheckBox();
    void clipboardBusyForAWhile();
    void clipboardNeverFree();
    void hourglassWhileCopying();
};

void ClipboardCopyTest::twoRows() {
    Fixture f;
    f.state.results.append(u"Nashua, NH 03060");
    f.state.results.append(u"Salem, MA 01970   ");
    f.copy();
    QCOMPARE(f.platform.clipboard, QStringLiteral("Nashua, NH 03060\r\nSalem, MA 01970\r\n"));
    QCOMPARE(f.platform.messageTexts(), QStringList{ClipboardCopy::confirmation()});
    QCOMPARE(ClipboardCopy::confirmation(),
             QStringLiteral("Results have been copied to the clipboard.\r\rClick a text area "
                            "where you normally type and press Ctrl+V to paste the clipboard."));
}

void ClipboardCopyTest::emptyListLeavesClipboardAlone() {
    Fixture f;
    f.platform.clipboard = QStringLiteral("kept");
    f.copy();
    QCOMPARE(f.platform.clipboard, QStringLiteral("kept"));
    QCOMPARE(f.platform.clipboardAttempts, 0);
    QCOMPARE(f.platform.messageTexts(), QStringList{ClipboardCopy::confirmation()});
}

void ClipboardCopyTest::twoColumnsAndClearedCheckBox() {
    TableSource table;
    table.headers = {"City", "Zip"};
    table.rowCells = {{"Rye", "03870"}, {"Salem", "01970"}, {"Longer City", "1"}};
    table.checks = {true, true, false};
    // The unchecked row is left out but still sets the first column's width (11).
    QCOMPARE(ClipboardText::of(table),
             QStringLiteral("Rye        \t03870\r\nSalem      \t01970\r\n"));
    table.checks.clear();
    table.rowCells.removeLast();
    QCOMPARE(ClipboardText::of(table), QStringLiteral("Rye  \t03870\r\nSalem\t01970\r\n"));
}

void ClipboardCopyTest::clipboardBusyForAWhile() {
    Fixture f;
    f.state.results.append(u"03053");
    f.platform.clipboardFailuresLeft = 1000 + 999; // clearing never works; the 1000th set does
    f.copy();
    QCOMPARE(f.platform.clipboard, QStringLiteral("03053\r\n"));
}

void ClipboardCopyTest::clipboardNeverFree() {
    Fixture f;
    f.state.results.append(u"03053");
    f.platform.clipboard = QStringLiteral("someone else's");
    f.platform.clipboardFailuresLeft = 1000000;
    f.copy();
    QCOMPARE(f.platform.clipboard, QStringLiteral("someone else's"));
    QCOMPARE(f.platform.messageTexts(), QStringList{ClipboardCopy::confirmation()});
}

void ClipboardCopyTest::hourglassWhileCopying() {
    Fixture f;
    f.state.results.append(u"03053");
    int pointerDuringMessage = -1;
    f.platform.onMessage = [&](const ShownMessage&) {
        pointerDuringMessage = f.state.pointer.value();
    };
    f.copy();
    QCOMPARE(pointerDuringMessage, 11);
    QCOMPARE(f.state.pointer.value(), 0);
}

QTEST_GUILESS_MAIN(ClipboardCopyTest)
#include "tst_ClipboardCopy.moc"
