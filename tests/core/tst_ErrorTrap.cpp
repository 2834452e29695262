// The error trap's report, its continuation after a failed step, and the small
// probing helpers that never report (file-exists test, FileNameFromPath).

#include "core/AppError.h"
#include "core/BuildSettings.h"
#include "core/ErrorTrap.h"
#include "core/FileExists.h"
#include "core/FileNameFromPath.h"
#include "core/WindowClosed.h"
#include "output/ResultListCommands.h"
#include "output/TextExport.h"
#include "support/ScriptedPlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class ErrorTrapTest : public QObject {
    Q_OBJECT
private slots:
    void reportTextIsExact();
    void emptyDescriptionKeepsLineBreak();
    void failedStepReportsAndProcedureGoesOn();
    void windowClosedIsNotTrapped();
    void fileExists_data();
    void fileExists();
    void fileNameFromPath_data();
    void fileNameFromPath();
};

void ErrorTrapTest::reportTextIsExact() {
    const QString text = ErrorTrap::reportText(
        QStringLiteral("File not found"), QString::fromLatin1(TextExport::saveAsTextLocation), 106);
    QCOMPARE(text, QStringLiteral("File not found\r\nin Marrowby2021/08/31.Form1.PushButton4_Click "
                                  "at line 106\r\rPlease email screenshot of this message to ") +
                       QString::fromLatin1(BuildSettings::supportEmail));
}

void ErrorTrapTest::emptyDescriptionKeepsLineBreak() {
    QVERIFY(ErrorTrap::reportText(QString(), QStringLiteral("in X "), 0)
                .startsWith(QStringLiteral("\r\nin X at line 0\r\r")));
}

void ErrorTrapTest::failedStepReportsAndProcedureGoesOn() {
    ScriptedPlatform platform;
    ErrorTrap trap(platform, QString::fromLatin1(ResultListCommands::clearResultsLocation));
    QStringList ran;
    QVERIFY(!trap.step(100, [&] { throw AppError(QStringLiteral("first")); }));
    QVERIFY(!trap.step(102, [&] { throw std::runtime_error("second"); }));
    QVERIFY(trap.step(104, [&] { ran << QStringLiteral("third"); }));

    QCOMPARE(ran, QStringList{QStringLiteral("third")});
    QCOMPARE(platform.messages.size(), 2);
    const ShownMessage& first = platform.messages.at(0);
    QCOMPARE(first.title, QStringLiteral("Application Error"));
    QCOMPARE(first.icon, MessageIcon::Warning);
    QCOMPARE(first.buttons, MessageButtons::Ok);
    QVERIFY(first.text.startsWith(
        QStringLiteral("first\r\nin Marrowby2021/08/31.Form1.PushButton2_Click at line 100\r\r")));
    QVERIFY(platform.messages.at(1).text.contains(QStringLiteral("at line 102\r\r")));
}

void ErrorTrapTest::windowClosedIsNotTrapped() {
    ScriptedPlatform platform;
    ErrorTrap trap(platform, QStringLiteral("in X "));
    bool unwound = false;
    try {
        trap.step(100, [] { throw WindowClosed{}; });
    } catch (const WindowClosed&) {
        unwound = true;
    }
    QVERIFY(unwound);
    QVERIFY(platform.messages.isEmpty());
}

void ErrorTrapTest::fileExists_data() {
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("missing folder") << QStringLiteral("nowhere/list.txt") << false;
    QTest::newRow("missing file") << QStringLiteral("absent.txt") << false;
    QTest::newRow("existing file") << QStringLiteral("list.txt") << true;
    QTest::newRow("read-only file") << QStringLiteral("readonly.txt") << true;
    QTest::newRow("folder") << QStringLiteral("folder") << true;
}

void ErrorTrapTest::fileExists() {
    QFETCH(QString, relativePath);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile list(dir.filePath(QStringLiteral("list.txt")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.close();
    QFile readOnly(dir.filePath(QStringLiteral("readonly.txt")));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    readOnly.setPermissions(QFileDevice::ReadOwner);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    const QString path = relativePath.isEmpty() ? QString() : dir.filePath(relativePath);
    QCOMPARE(::fileExists(path), exists);
}

void ErrorTrapTest::fileNameFromPath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("no backslash") << QStringLiteral("NASHUA , NH") << QStringLiteral("NASHUA , NH");
    QTest::newRow("last backslash wins")
        << QStringLiteral("C:\\lists\\a.txt") << QStringLiteral("a.txt");
    QTest::newRow("ends in backslash") << QStringLiteral("C:\\lists\\") << QString();
    QTest::newRow("slash does not separate")
        << QStringLiteral("/home/u/a.txt") << QStringLiteral("/home/u/a.txt");
}

void ErrorTrapTest::fileNameFromPath() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(FileNameFromPath(path).toString(), name);
}

QTEST_GUILESS_MAIN(ErrorTrapTest)
#include "tst_ErrorTrap.moc"
