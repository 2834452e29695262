// The Qt side of the seam where it decides what a command gets: the open dialog of the
// list-file import, driven as a user types into it. One chosen file comes back as its
// full path; several as their folder followed by their names; a typed name of a missing
// file comes back as typed, so that the import can say "File not found".

#include "shell/OpenFilesDialog.h"
#include "shell/QtPlatform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void openDialogAnswers_data();
    void openDialogAnswers();
    void openDialogCancelled();
    void openDialogSelectionOfTwo();
    void spreadsheetProgramFoundOnceBesideTheWindow();

private:
    // Opens the dialog through the seam, lets `user` act on it, and returns the answer.
    QStringList answerTo(const std::function<void(OpenFilesDialog&)>& user);
    std::unique_ptr<QTemporaryDir> dir_;
};

namespace {

void typeAndPressReturn(OpenFilesDialog& dialog, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setFocus();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

void QtPlatformTest::init() {
    // The file dialog keeps its history and view in the user's settings: the tests' own.
    QStandardPaths::setTestModeEnabled(true);
    dir_ = std::make_unique<QTemporaryDir>();
    for (const char* name : {"a.txt", "b.txt"}) {
        QFile file(dir_->filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("03053\n");
    }
}

QStringList QtPlatformTest::answerTo(const std::function<void(OpenFilesDialog&)>& user) {
    QtPlatform platform;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<OpenFilesDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setDirectory(dir_->path());
        QTest::qWait(50); // the folder's listing arrives from a thread
        // A dialog that refused what was typed would stay open, perhaps under a warning of
        // its own: close whatever is still open. Long enough that a busy machine's slow
        // folder listing is never cut short; only a test that fails anyway waits for it.
        QTimer::singleShot(30000, dialog, [dialog] {
            while (QWidget* open = QApplication::activeModalWidget()) {
                open->close();
                if (open == dialog)
                    break;
            }
        });
        user(*dialog);
    });
    return platform.openFileNames({QStringLiteral("Open"), {QStringLiteral("All Files (*.*)")}});
}

void QtPlatformTest::openDialogAnswers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected"); // "DIR" stands for the folder
    QTest::newRow("one existing file") << "a.txt" << QStringList{"DIR/a.txt"};
    QTest::newRow("one missing file") << "gone.txt" << QStringList{"DIR/gone.txt"};
    QTest::newRow("two existing") << "\"a.txt\" \"b.txt\"" << QStringList{"DIR", "a.txt", "b.txt"};
    QTest::newRow("one of two missing")
        << "\"gone.txt\" \"b.txt\"" << QStringList{"DIR", "gone.txt", "b.txt"};
}

void QtPlatformTest::openDialogAnswers() {
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    expected.replaceInStrings(QStringLiteral("DIR"), dir_->path());
    const QStringList answer =
        answerTo([&](OpenFilesDialog& dialog) { typeAndPressReturn(dialog, typed); });
    QCOMPARE(answer, expected);
}

void QtPlatformTest::openDialogCancelled() {
    const QStringList answer = answerTo([](OpenFilesDialog& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), "a.txt");
        dialog.reject();
    });
    QVERIFY(answer.isEmpty());
}

void QtPlatformTest::openDialogSelectionOfTwo() {
    const QStringList answer = answerTo([](OpenFilesDialog& dialog) {
        // Ctrl+click on both names in the dialog's list.
        auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
        QVERIFY(list);
        for (const char* name : {"a.txt", "b.txt"}) {
            QModelIndexList found;
            // The folder's listing arrives from a thread, later on a busy machine.
            (void)QTest::qWaitFor([&] {
                found = list->model()->match(
                    list->rootIndex().model()->index(0, 0, list->rootIndex()), Qt::DisplayRole,
                    QString::fromLatin1(name), 1, Qt::MatchExactly);
                return !found.isEmpty();
            });
            QVERIFY2(!found.isEmpty(), name);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualRect(found.first()).center());
        }
        auto* box = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QTest::mouseClick(box->button(QDialogButtonBox::Open), Qt::LeftButton);
    });
    QCOMPARE(answer.size(), 3);
    QCOMPARE(answer.first(), dir_->path());
    QCOMPARE(QStringList(answer.mid(1)).count(QStringLiteral("a.txt")) +
                 QStringList(answer.mid(1)).count(QStringLiteral("b.txt")),
             2);
}

// The desktop's spreadsheet program is looked for once, beside the window: a slow
// xdg-mime keeps no click waiting with the window frozen, and the answer is kept.
void QtPlatformTest::spreadsheetProgramFoundOnceBesideTheWindow() {
    const QString bin = dir_->filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkdir(bin));
    const auto script = [&](const char* name, const QByteArray& body) {
        QFile file(bin + u'/' + QLatin1String(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    };
    // Commands by their full paths: the probe may start the script while PATH is still the
    // folder alone, where no sleep is found and the answer would come at once.
    script("xdg-mime", "echo asked >> \"$0.log\"; /bin/sleep 1; echo calc.desktop\n");
    script("xdg-open", "");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8());
    QtPlatform platform;
    qputenv("PATH", path);
    bool windowWentOn = false;
    QTimer::singleShot(100, [&] { windowWentOn = true; });
    const auto found = platform.findSpreadsheetProgram();
    QVERIFY(found);
    QCOMPARE(found->program, bin + QStringLiteral("/xdg-open"));
    QVERIFY(windowWentOn);
    QElapsedTimer again;
    again.start();
    QCOMPARE(platform.findSpreadsheetProgram()->program, found->program);
    QVERIFY(again.elapsed() < 500);
    QFile log(bin + QStringLiteral("/xdg-mime.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("asked\n"));
}

QTEST_MAIN(QtPlatformTest)
#include "tst_QtPlatform.moc"
