// A skin is checked before it is applied: sheets Qt takes pass, broken ones are named
// with their line.

#include "shell/StyleSheetCheck.h"
#include "support/TestFiles.h"

#include <QTest>

class StyleSheetCheckTest : public QObject {
    Q_OBJECT
private slots:
    void sheets_data();
    void sheets();
};

void StyleSheetCheckTest::sheets_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("problem"); // empty: the sheet is fine
    QTest::newRow("the example skin")
        << QString::fromUtf8(readFile(QStringLiteral(QUELLIST_EXAMPLE_SKIN))) << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("declarations alone") << "color: red; background: white"
                                        << "";
    QTest::newRow("strings, urls and comments")
        << "/* a { b */ QLabel { font-family: \"A;B}\"; image: url(x.png) }"
        << "";
    QTest::newRow("states and sub-controls")
        << "QPushButton:hover, QHeaderView::section { border: 0 }\n"
        << "";
    QTest::newRow("an unclosed rule") << "QPushButton { color: red; "
                                      << "line 1";
    QTest::newRow("a rule cut off in a value")
        << "QListView { background: yellow; }\nQPushButton { color: "
        << "line 2";
    QTest::newRow("an unclosed comment") << "QLabel { }\n/* no end"
                                         << "line 2";
    QTest::newRow("an unclosed string") << "QLabel { font-family: \"Arial }"
                                        << "line 1";
    QTest::newRow("no selector") << "{ color: red }"
                                 << "no selector";
    QTest::newRow("a declaration without a colon") << "QLabel { color red }"
                                                   << "color red";
    QTest::newRow("an unclosed parenthesis") << "QLabel { background: qlineargradient(x1: 0 }"
                                             << "not closed";
    QTest::newRow("a stray closing brace") << "QLabel { } }"
                                           << "text after the last rule";
}

void StyleSheetCheckTest::sheets() {
    QFETCH(QString, sheet);
    QFETCH(QString, problem);
    const QString found = StyleSheetCheck::problem(sheet);
    if (problem.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QVERIFY2(found.contains(problem), qPrintable(found));
}

QTEST_GUILESS_MAIN(StyleSheetCheckTest)
#include "tst_StyleSheetCheck.moc"
