// The list model behind both list views: texts stored once, rows by id, appends that
// commands see at once and views see in batches, removal and clearing.

#include "core/TextListModel.h"
#include "support/ListTexts.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <vector>

class TextListModelTest : public QObject {
    Q_OBJECT
private slots:
    void commandsSeeAppendsAtOnceViewsOnFlush();
    void appendsReachViewsWhenEventsRun();
    void sharedModeStoresEqualTextsOnce();
    void sharedIdsSurviveClear();
    void removeKeepsOrderOfTheRest();
    void removeOfRowNotYetShown();
    void uniqueModeKeepsDuplicatesApart();
    void selectionFollowsRemoval();
    void keepsTheModelContract();
    void longListsKeepOrderAcrossRemovals();
};

namespace {} // namespace

void TextListModelTest::commandsSeeAppendsAtOnceViewsOnFlush() {
    TextListModel model(TextListModel::Storage::Unique);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.append(u"03053");
    model.append(u"NASHUA , NH");
    QCOMPARE(model.count(), 2);
    QCOMPARE(model.rowCount(), 0);
    model.flushAppends();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(inserted.size(), 1); // one batch for both rows
    QCOMPARE(model.data(model.index(1), Qt::DisplayRole).toString(), QStringLiteral("NASHUA , NH"));
}

void TextListModelTest::appendsReachViewsWhenEventsRun() {
    TextListModel model(TextListModel::Storage::Unique);
    model.append(u"A");
    QCoreApplication::processEvents();
    QCOMPARE(model.rowCount(), 1);
}

void TextListModelTest::sharedModeStoresEqualTextsOnce() {
    TextListModel model(TextListModel::Storage::Shared);
    const auto nashua = model.intern(u"Nashua, NH 03060");
    QCOMPARE(model.intern(QStringLiteral("Nashua, NH 03060")), nashua);
    QVERIFY(model.intern(u"Nashua, NH 03061") != nashua);
    const TextListModel::TextId ids[] = {nashua, nashua, nashua};
    model.appendIds(ids);
    QCOMPARE(textsOf(model), QStringList(3, QStringLiteral("Nashua, NH 03060")));
}

void TextListModelTest::sharedIdsSurviveClear() {
    TextListModel model(TextListModel::Storage::Shared);
    const auto id = model.intern(u"Londonderry, NH 03053");
    model.append(u"other");
    model.clear();
    QCOMPARE(model.count(), 0);
    model.appendIds(std::span(&id, 1));
    QCOMPARE(textsOf(model), QStringList{QStringLiteral("Londonderry, NH 03053")});
}

void TextListModelTest::removeKeepsOrderOfTheRest() {
    TextListModel model(TextListModel::Storage::Unique);
    for (const char16_t* text : {u"1", u"2", u"3", u"4", u"5"})
        model.append(text);
    model.flushAppends();
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.removeAt(2);
    QCOMPARE(textsOf(model), (QStringList{"1", "2", "4", "5"}));
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(removed.size(), 1);
}

void TextListModelTest::removeOfRowNotYetShown() {
    TextListModel model(TextListModel::Storage::Unique);
    model.append(u"1");
    model.flushAppends();
    model.append(u"2");
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.removeAt(1);
    QCOMPARE(removed.size(), 0);
    model.flushAppends();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(textsOf(model), QStringList{"1"});
}

void TextListModelTest::uniqueModeKeepsDuplicatesApart() {
    TextListModel model(TextListModel::Storage::Unique);
    model.append(u"03053");
    model.append(u"03053");
    model.append(u"");
    QCOMPARE(textsOf(model), (QStringList{"03053", "03053", ""}));
    model.clear();
    model.append(u"after");
    QCOMPARE(textsOf(model), QStringList{"after"});
}

void TextListModelTest::selectionFollowsRemoval() {
    TextListModel model(TextListModel::Storage::Unique);
    model.append(u"1");
    model.append(u"2");
    model.append(u"3");
    model.setSelectedRow(2);
    model.removeAt(0);
    QCOMPARE(model.selectedRow(), 1); // still "3"
    model.removeAt(1);
    QCOMPARE(model.selectedRow(), -1);
    model.setSelectedRow(5);
    QCOMPARE(model.selectedRow(), -1);
}

// Qt's own checker of the rules every model keeps (rows announced before they are seen,
// removals and resets reported, data and headers consistent), through the commands'
// changes to a list: appends in batches, removals also of rows not yet shown, clearing.
void TextListModelTest::keepsTheModelContract() {
    for (const auto storage : {TextListModel::Storage::Unique, TextListModel::Storage::Shared}) {
        TextListModel model(storage);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addColumnHeader(QStringLiteral("Results"));
        for (int i = 0; i < 50; ++i)
            model.append(QStringLiteral("Row %1").arg(i % 7));
        model.flushAppends();
        model.append(u"not shown yet");
        model.removeAt(50); // the row not yet shown
        model.removeAt(0);
        model.removeAt(20);
        model.flushAppends();
        model.setSelectedRow(3);
        model.removeAt(3);
        model.append(u"after");
        model.clear();
        model.flushAppends();
        model.append(u"again");
        model.flushAppends();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0), Qt::DisplayRole).toString(), QStringLiteral("again"));
    }
}

// Lists longer than the blocks rows are kept in: removals shift every later row, across
// the blocks' edges, and nothing is lost or repeated.
void TextListModelTest::longListsKeepOrderAcrossRemovals() {
    TextListModel model(TextListModel::Storage::Shared);
    constexpr int rows = 200000;
    std::vector<TextListModel::TextId> ids;
    ids.reserve(rows);
    for (int i = 0; i < rows; ++i)
        ids.push_back(model.intern(QString::number(i)));
    model.appendIds(ids);
    model.removeAt(5);
    model.removeAt(65535); // the row that held 65536, at a block's end
    model.removeAt(rows - 3);
    QCOMPARE(model.count(), rows - 3);
    QCOMPARE(model.text(4), QStringLiteral("4"));
    QCOMPARE(model.text(5), QStringLiteral("6"));
    QCOMPARE(model.text(65534), QStringLiteral("65535"));
    QCOMPARE(model.text(65535), QStringLiteral("65537"));
    QCOMPARE(model.text(65536), QStringLiteral("65538"));
    QCOMPARE(model.text(131070), QStringLiteral("131072"));
    QCOMPARE(model.text(rows - 4), QStringLiteral("199998"));
    model.clear();
    model.append(u"after");
    QCOMPARE(model.count(), 1);
    QCOMPARE(model.text(0), QStringLiteral("after"));
}

QTEST_GUILESS_MAIN(TextListModelTest)
#include "tst_TextListModel.moc"
