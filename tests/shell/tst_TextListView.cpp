// The list view both lists use, as a person meets it: the keyboard and the mouse move the
// selection to the right row, also on a scrolled list; the focused list shows where it is;
// and assistive technology reads rows, names and the selection at a million rows.

#include "core/TextListModel.h"
#include "shell/TextListAccessible.h"
#include "shell/TextListRowAccessible.h"
#include "shell/TextListView.h"

#include <QAccessible>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

namespace {

struct List {
    explicit List(int rows, const QString& header = QStringLiteral("Results"))
        : model(TextListModel::Storage::Unique)
        , view(model) {
        model.addColumnHeader(header);
        for (int i = 0; i < rows; ++i)
            model.append(QStringLiteral("Row %1").arg(i));
        model.flushAppends();
        view.resize(300, 200);
        view.show();
    }

    int selected() const { return int(model.selectedRow()); }
    void press(Qt::Key key) { QTest::keyClick(&view, key); }

    TextListModel model;
    TextListView view;
};

} // namespace

class TextListViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TextListAccessible::installFactory(); }
    void keysMoveTheSelection();
    void clickOnScrolledListPicksRowUnderPointer();
    void focusIsVisible();
    void accessibleListAtAMillionRows();
    void accessibleRowsStayFew();
    void accessibleRowsFollowRemoval();
};

void TextListViewTest::keysMoveTheSelection() {
    List list(100);
    QVERIFY(QTest::qWaitForWindowExposed(&list.view));
    list.view.setFocus();
    list.press(Qt::Key_Down); // nothing selected yet: the first row
    QCOMPARE(list.selected(), 0);
    list.press(Qt::Key_Down);
    list.press(Qt::Key_Down);
    QCOMPARE(list.selected(), 2);
    list.press(Qt::Key_Up);
    QCOMPARE(list.selected(), 1);
    const int page = list.view.viewport()->height() / list.view.rowHeight();
    list.press(Qt::Key_PageDown);
    QCOMPARE(list.selected(), 1 + page);
    list.press(Qt::Key_PageUp);
    QCOMPARE(list.selected(), 1);
    list.press(Qt::Key_End);
    QCOMPARE(list.selected(), 99);
    QVERIFY(!list.view.rowRect(99).isEmpty()); // scrolled into sight
    list.press(Qt::Key_Down);
    QCOMPARE(list.selected(), 99);
    list.press(Qt::Key_Home);
    QCOMPARE(list.selected(), 0);
    list.press(Qt::Key_Up);
    QCOMPARE(list.selected(), 0);
    // Down, row by row past the bottom: each row wholly in sight as soon as it is selected.
    for (int row = 1; row < page + 3; ++row) {
        list.press(Qt::Key_Down);
        const QRect shown = list.view.rowRect(row);
        QVERIFY2(!shown.isEmpty() && shown.bottom() < list.view.viewport()->height(),
                 qPrintable(QString::number(row)));
    }
}

void TextListViewTest::clickOnScrolledListPicksRowUnderPointer() {
    List list(1000);
    QVERIFY(QTest::qWaitForWindowExposed(&list.view));
    list.view.verticalScrollBar()->setValue(500);
    const int y = list.view.rowHeight() * 3 + list.view.rowHeight() / 2;
    QCOMPARE(list.view.rowAt(y), 503);
    QTest::mouseClick(list.view.viewport(), Qt::LeftButton, {}, QPoint(20, y));
    QCOMPARE(list.selected(), 503);
    QCOMPARE(list.model.text(list.selected()), QStringLiteral("Row 503"));
}

void TextListViewTest::focusIsVisible() {
    List list(50);
    QVERIFY(QTest::qWaitForWindowExposed(&list.view));
    list.view.activateWindow();
    list.view.setCurrentRow(3);
    list.view.clearFocus();
    const QImage unfocused = list.view.viewport()->grab().toImage();
    list.view.setFocus();
    QTRY_VERIFY(list.view.hasFocus());
    QCOMPARE(list.view.viewport()->grab().toImage() == unfocused, false);
    // With no row in sight the frame goes round the whole list.
    list.view.verticalScrollBar()->setValue(40);
    const QImage focusedElsewhere = list.view.viewport()->grab().toImage();
    list.view.clearFocus();
    QCOMPARE(list.view.viewport()->grab().toImage() == focusedElsewhere, false);
}

void TextListViewTest::accessibleListAtAMillionRows() {
    List list(1000000, QStringLiteral("Zip Codes Or City, States"));
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&list.view);
    QVERIFY(access);
    QCOMPARE(access->role(), QAccessible::List);
    QCOMPARE(access->text(QAccessible::Name), QStringLiteral("Zip Codes Or City, States"));
    QCOMPARE(access->childCount(), 1000000);
    for (int row : {0, 1, 499999, 999999}) {
        QAccessibleInterface* item = access->child(row);
        QVERIFY(item);
        QCOMPARE(item->role(), QAccessible::ListItem);
        QCOMPARE(item->text(QAccessible::Name), QStringLiteral("Row %1").arg(row));
        QCOMPARE(item->parent(), access);
        QCOMPARE(access->indexOfChild(item), row);
        QCOMPARE(access->child(row), item); // the same item when asked again
        QVERIFY(!item->state().selected);
    }
    QVERIFY(!access->child(1000000));
    QVERIFY(QTest::qWaitForWindowExposed(&list.view));
    list.view.setFocus();
    QTRY_VERIFY(list.view.hasFocus());
    QTest::keyClick(&list.view, Qt::Key_End);
    QVERIFY(access->child(999999)->state().selected);
    QVERIFY(!access->child(0)->state().selected);
    QCOMPARE(access->focusChild(), access->child(999999));
    QVERIFY(access->child(999999)->state().focused);
    list.view.clearFocus(); // focus elsewhere: the row stays selected, and is not focused
    QVERIFY(access->child(999999)->state().selected);
    QVERIFY(!access->child(999999)->state().focused);
    QVERIFY(!access->focusChild());
    const QRect shown = access->child(999999)->rect();
    QCOMPARE(access->childAt(shown.center().x(), shown.center().y()), access->child(999999));
}

// A client that walks every row of a million leaves a bounded number of row items; the
// selected row and the rows in view stay, and a released row comes back when asked for.
void TextListViewTest::accessibleRowsStayFew() {
    List list(1000000);
    QVERIFY(QTest::qWaitForWindowExposed(&list.view));
    list.view.setCurrentRow(500000);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&list.view);
    QAccessibleInterface* selected = access->child(500000);
    const QAccessible::Id selectedId = QAccessible::uniqueId(selected);
    for (int row = 0; row < access->childCount(); ++row)
        QVERIFY(access->child(row));
    QVERIFY2(TextListRowAccessible::alive() <= TextListAccessible::keptRows + 100,
             qPrintable(QString::number(TextListRowAccessible::alive())));
    QCOMPARE(QAccessible::uniqueId(access->child(500000)), selectedId); // kept all along
    QVERIFY(access->child(500000)->state().selected);
    // Row 0, released by now, is made anew when it is asked for again.
    QCOMPARE(access->child(0)->text(QAccessible::Name), QStringLiteral("Row 0"));
    QCOMPARE(access->indexOfChild(access->child(0)), 0);
}

void TextListViewTest::accessibleRowsFollowRemoval() {
    List list(5);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&list.view);
    QCOMPARE(access->child(3)->text(QAccessible::Name), QStringLiteral("Row 3"));
    list.model.removeAt(1);
    QCOMPARE(access->childCount(), 4);
    QCOMPARE(access->child(3)->text(QAccessible::Name), QStringLiteral("Row 4"));
    list.model.clear();
    QCOMPARE(access->childCount(), 0);
    QVERIFY(!access->child(0));
    const QString megabyte(1 << 20, u'x');
    list.model.append(megabyte);
    list.model.flushAppends();
    QCOMPARE(access->child(0)->text(QAccessible::Name).size(), TextListView::maxPaintedCharacters);
}

QTEST_MAIN(TextListViewTest)
#include "tst_TextListView.moc"
