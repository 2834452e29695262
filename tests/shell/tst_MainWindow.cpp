// The real main window, headless, driven with clicks and keys through the scripted seam:
// start-up and the remembered save option, the pointer rules, the entry and results list
// commands (also during a run), Help, skin and pointer files.

#include "convert/SaveOption.h"
#include "core/BuildSettings.h"
#include "entries/ListFileImport.h"
#include "shell/MainWindow.h"
#include "shell/TextProgressBar.h"
#include "support/ListTexts.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include "shell/TextListView.h"
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <QHeaderView>

#include <memory>

namespace {

// One start of the program: a program folder with the database, a fresh window state.
struct Program {
    explicit Program(const QString& folder)
        : window(state, platform, folder) {
        QObject::connect(&window, &MainWindow::closed, [this] { platform.closed = true; });
    }

    void start() {
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    void click(const QString& name) {
        auto* button = window.control<QPushButton>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QStringList entries() const { return textsOf(state.entries); }

    void selectRow(TextListView* view, int row) {
        QCoreApplication::processEvents(); // let the view see appended rows
        view->setCurrentRow(row);
    }

    void doubleClick(TextListView* view, int row) {
        selectRow(view, row);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->rowRect(row).center());
    }

    WindowState state;
    ScriptedPlatform platform;
    MainWindow window;
};

// The next widget that Tab moves to.
QWidget* nextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

void hover(QWidget* widget) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(widget, &enter);
}

// A drag carrying the data enters the window over the widget and drops there, as the
// window system delivers it. True when the window took the drag.
bool dragAndDrop(QWidget& window, QWidget* over, const QMimeData& data) {
    const QPoint at = over->mapTo(&window, over->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

// The buttons by their designer names.
const QString addEntry = QStringLiteral("PushButton6");
const QString sample = QStringLiteral("PushButton7");
const QString clearList = QStringLiteral("PushButton1");
const QString startConverting = QStringLiteral("PushButton17");
const QString clearResults = QStringLiteral("PushButton2");
const QString help = QStringLiteral("PushButton8");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void cleanup();
    void startUpWithTheStore_data();
    void startUpWithTheStore();
    void pickWithAnUnwritableStore();
    void restartKeepsSaveJustZip();
    void layoutAndTabOrder();
    void pointerRules();
    void handWhileMovingOverButtons();
    void sampleButtonTwice();
    void typedEntriesArePadded();
    void removeByKeyAndDoubleClick();
    void editingDuringRun();
    void helpAnsweredNoThenYes();
    void websiteOnOneStartInAHundred();
    void handPointerFile();
    void skinFile();
    void brokenSkinKeepsFonts();
    void programIconImages();
    void escapedFailureIsReported();
    void closingDuringRunEndsIt();
    void megabyteEntryShownInPart();
    void droppedFilesLoadInOrder();
    void droppedTextIsNotTaken();

private:
    QString folderWith(bool cursor, const QByteArray& skin = {});
    static QString settingsFile();
    std::unique_ptr<QTemporaryDir> dir_;
};

void MainWindowTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void MainWindowTest::init() {
    QSettings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist")).clear();
    dir_ = std::make_unique<QTemporaryDir>();
}

// Whatever a test left where the settings file goes (a folder, garbage) goes with it, so
// that a test that fails midway cannot make the next ones fail.
void MainWindowTest::cleanup() {
    const QString file = settingsFile();
    QDir(file).removeRecursively();
    QFile::remove(file);
}

QString MainWindowTest::settingsFile() {
    return QSettings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist")).fileName();
}

QString MainWindowTest::folderWith(bool cursor, const QByteArray& skin) {
    QString folder = dir_->path();
    QFile::link(QStringLiteral(QUELLIST_ZIPBASE), folder + QStringLiteral("/zipbase.mdb"));
    if (cursor)
        QFile::copy(QStringLiteral(QUELLIST_HAND_CURSOR), folder + QStringLiteral("/HAND-M.CUR"));
    if (!skin.isNull()) {
        QDir(folder).mkpath(QStringLiteral("x"));
        QFile sheet(folder + QStringLiteral("/x/o.cjs"));
        if (sheet.open(QIODevice::WriteOnly))
            sheet.write(skin);
    }
    return folder;
}

// Start-up with what the settings store holds: the option shown, and one report at
// Form_Load line 122 where the stored text names no item or the store cannot be written.
void MainWindowTest::startUpWithTheStore_data() {
    QTest::addColumn<QString>("store");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("reported");
    QTest::newRow("first start, nothing stored") << "" << 0 << false;
    QTest::newRow("Save Just Zip stored") << "Save Just Zip" << 3 << false;
    QTest::newRow("a text that names no item") << "save just zip" << -1 << true;
    QTest::newRow("a garbage file") << "GARBAGE" << 0 << false;
    QTest::newRow("a store that cannot be written") << "UNWRITABLE" << 0 << true;
}

void MainWindowTest::startUpWithTheStore() {
    QFETCH(QString, store);
    QFETCH(int, index);
    QFETCH(bool, reported);
    const QString file = settingsFile();
    QDir().mkpath(QFileInfo(file).path());
    if (store == QStringLiteral("GARBAGE"))
        QVERIFY(writeFile(file, QByteArray("\x00\xff[[[Save Option\n=\x01\x02", 20)));
    else if (store == QStringLiteral("UNWRITABLE"))
        QVERIFY(QDir().mkpath(file)); // a folder where the file should be: no one can write it
    else if (!store.isEmpty())
        QSettings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist"))
            .setValue(QStringLiteral("Save Option"), store);
    Program program(folderWith(true));
    program.start();
    QCOMPARE(program.window.combo1()->count(), int(SaveOption::itemTexts().size()));
    QCOMPARE(program.state.saveOption.index(), index);
    QCOMPARE(program.window.combo1()->currentIndex(), index);
    QCOMPARE(program.platform.messages.size(), reported ? 1 : 0);
    if (reported)
        QVERIFY(program.platform.messages.first().text.contains(
            QStringLiteral("in Marrowby2021/08/31.Form1.Form_Load at line 122")));
    if (store.isEmpty()) // the default is stored as soon as it is shown
        QCOMPARE(QSettings(QStringLiteral("Tarnwell"), QStringLiteral("Quellist"))
                     .value(QStringLiteral("Save Option"))
                     .toString(),
                 QStringLiteral("Save City, State and Zip"));
    QCOMPARE(program.window.windowTitle(), QStringLiteral("Quellist"));
    QCOMPARE(program.state.applicationTitle, QStringLiteral("Quellist"));
    QVERIFY(program.window.isVisible());
}

// With a store that cannot be written a pick still holds for this run, and says why.
void MainWindowTest::pickWithAnUnwritableStore() {
    QVERIFY(QDir().mkpath(settingsFile()));
    Program program(folderWith(true));
    program.start();
    program.window.combo1()->setFocus();
    QTest::keyClick(program.window.combo1(), Qt::Key_Down);
    QCOMPARE(program.state.saveOption.index(), 1);
    QCOMPARE(program.platform.messages.size(), 2); // start-up's report, then the pick's
    QVERIFY(program.platform.messages.last().text.contains(QStringLiteral("could not be written")));
}

void MainWindowTest::restartKeepsSaveJustZip() {
    const QString folder = folderWith(true);
    {
        Program first(folder);
        first.start();
        first.window.combo1()->setFocus();
        for (int i = 0; i < 3; ++i) // three steps down, as a user picks with the keyboard
            QTest::keyClick(first.window.combo1(), Qt::Key_Down);
        QCOMPARE(first.state.saveOption.index(), 3);
    }
    Program second(folder);
    second.start();
    QCOMPARE(second.window.combo1()->currentText(), QStringLiteral("Save Just Zip"));
    QCOMPARE(second.state.saveOption.index(), 3);
}

void MainWindowTest::layoutAndTabOrder() {
    Program program(folderWith(true));
    program.start();
    MainWindow& w = program.window;
    QCOMPARE(w.size(), QSize(536, 555));
    QCOMPARE(w.frame1()->title(),
             QStringLiteral(" What part of the results would you like to save?"));
    QCOMPARE(w.progressBar1()->text(), QStringLiteral("Progress Bar"));
    QCOMPARE(w.listView1()->header()->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Zip Codes Or City, States"));
    QCOMPARE(w.listView2()->header()->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Results"));
    QVERIFY(w.listView2()->toolTip().startsWith(QStringLiteral("Double-click item to remove it.")));
    // Tab walks the controls in their designed order, and round again.
    const QStringList order{"ListView1",   "ListView2",    "PushButton6", "PushButton3",
                            "PushButton1", "PushButton17", "PushButton4", "PushButton13",
                            "PushButton2", "Combo1",       "PushButton5", "PushButton7",
                            "PushButton8", "ListView1"};
    for (qsizetype i = 1; i < order.size(); ++i)
        QVERIFY2(nextTabStop(w.control(order[i - 1])) == w.control(order[i]),
                 qPrintable(order[i - 1]));
}

void MainWindowTest::pointerRules() {
    Program program(folderWith(true));
    program.start();
    hover(program.window.control(sample));
    QCOMPARE(program.state.pointer.value(), 99);
    QCOMPARE(program.window.cursor().shape(), Qt::BitmapCursor);
    hover(program.window.listView1()->viewport());
    QCOMPARE(program.state.pointer.value(), 0);

    program.state.pointer.set(MousePointer::Hourglass);
    hover(program.window.control(sample));
    QCOMPARE(program.state.pointer.value(), 11);
    hover(program.window.listView2()->viewport());
    QCOMPARE(program.state.pointer.value(), 11);
}

void MainWindowTest::handWhileMovingOverButtons() {
    Program program(folderWith(true));
    program.start();
    for (QPushButton* button : program.window.findChildren<QPushButton*>()) {
        QTest::mouseMove(program.window.listView1()->viewport(), QPoint(5, 5));
        QCOMPARE(program.state.pointer.value(), 0);
        // Plain moves, no mouse button held: the button itself ignores them.
        QTest::mouseMove(button, button->rect().center());
        QTest::mouseMove(button, button->rect().center() + QPoint(3, 1));
        QVERIFY2(program.state.pointer.value() == 99, qPrintable(button->text()));
        QCOMPARE(program.window.cursor().shape(), Qt::BitmapCursor);
    }
    QTest::mouseMove(program.window.frame1(), QPoint(4, 4));
    QCOMPARE(program.state.pointer.value(), 0);
    QCOMPARE(program.window.cursor().shape(), Qt::ArrowCursor);
}

void MainWindowTest::sampleButtonTwice() {
    Program program(folderWith(true));
    program.start();
    program.click(sample);
    program.click(sample);
    const QStringList once{"NEWBURYPORT, MA", "NASHUA , NH", "SPRINGFIELD, MO",
                           "HAVERHILL, MA",   "03053",       "12345"};
    QCOMPARE(program.entries(), once + once);
    QCoreApplication::processEvents();
    QCOMPARE(program.window.listView1()->model().rowCount(), 12);
}

void MainWindowTest::typedEntriesArePadded() {
    Program program(folderWith(true));
    program.start();
    const QStringList typed{"3053", "1", "12345", "123456", "ma", " 123", "new york, ny", ""};
    for (const QString& text : typed) {
        program.platform.promptTexts.enqueue(text);
        program.click(addEntry);
    }
    QCOMPARE(program.entries(),
             (QStringList{"03053", "00001", "12345", "123456", "000ma", "0 123", "new york, ny"}));
    QCOMPARE(program.platform.prompts.first(),
             QStringLiteral("Enter city, state or zip code to add: "));
}

void MainWindowTest::removeByKeyAndDoubleClick() {
    Program program(folderWith(true));
    program.start();
    TextListView* list = program.window.listView1();
    QTest::keyClick(list, Qt::Key_Delete); // empty list: nothing happens
    program.click(sample);

    program.selectRow(list, 1);
    QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(program.entries().size(), 5);
    QVERIFY(!program.entries().contains(QStringLiteral("NASHUA , NH")));
    program.selectRow(list, 0);
    QTest::keyClick(list, Qt::Key_Backspace);
    QCOMPARE(program.entries().size(), 5);
    program.doubleClick(list, 4);
    QCOMPARE(program.entries(),
             (QStringList{"NEWBURYPORT, MA", "SPRINGFIELD, MO", "HAVERHILL, MA", "03053"}));

    program.state.results.append(u"a");
    program.state.results.append(u"b");
    program.state.results.append(u"c");
    program.selectRow(program.window.listView2(), 1);
    QTest::keyClick(program.window.listView2(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(program.state.results.count(), 2);
    QCOMPARE(program.state.results.text(1), QStringLiteral("c"));

    program.click(clearList);
    QCOMPARE(program.entries(), QStringList());
    QCOMPARE(program.state.results.count(), 2); // "Clear List" leaves the results alone
}

void MainWindowTest::editingDuringRun() {
    Program program(folderWith(true));
    program.start();
    program.click(sample);
    TextListView* entries = program.window.listView1();
    TextListView* results = program.window.listView2();
    bool acted = false;
    // While the bar shows the second entry: the first one's row is in.
    program.platform.onceWhen(
        [&] { return program.state.progress.text() == QStringLiteral("Processing: NASHUA , NH"); },
        [&] {
            acted = true;
            program.selectRow(entries, 0);
            QTest::keyClick(entries, Qt::Key_Delete);
            program.doubleClick(entries, 0);
            program.click(clearList);
            program.selectRow(results, 0);
            QTest::keyClick(results, Qt::Key_Delete);
            program.doubleClick(results, 0);
            program.platform.promptTexts.enqueue(QStringLiteral("03060"));
            program.click(addEntry);
            program.click(clearResults); // not blocked by the hourglass
        });
    program.click(startConverting);

    QVERIFY(acted);
    QCOMPARE(program.entries().size(), 7);
    QCOMPARE(program.entries().last(), QStringLiteral("03060"));
    // The row of the entry converted before the clear is gone; the added entry was not
    // looked up: 5 + 16 + 4 + 1 + 1 rows of the other five sample entries.
    QCOMPARE(program.state.results.count(), 27);
    QCOMPARE(program.state.results.text(0), QStringLiteral("Nashua, NH 03060"));
    QCOMPARE(program.state.results.text(26), QStringLiteral("Schenectady, NY 12345"));
    QCOMPARE(program.platform.messageTexts(), QStringList{"Done."});
    QCOMPARE(program.state.pointer.value(), 0);
    // The bar the user sees is at rest after the run, and after a save.
    TextProgressBar* bar = program.window.progressBar1();
    const QTemporaryDir dir;
    for (const char* save : {"", "PushButton4"}) {
        if (*save) {
            program.platform.saveFileNames.enqueue(dir.filePath(QStringLiteral("results.txt")));
            program.click(QString::fromLatin1(save));
        }
        QCOMPARE(bar->text(), QStringLiteral("Progress Bar"));
        QCOMPARE(bar->value(), 0);
    }
}

void MainWindowTest::helpAnsweredNoThenYes() {
    Program program(folderWith(true));
    program.start();
    program.click(help);
    QCOMPARE(program.platform.messageTexts(),
             (QStringList{QStringLiteral("Entries should look like: New York, NY (with a comma "
                                         "separating city and state) or 03053. Please email ") +
                              QString::fromUtf8(BuildSettings::supportEmail) +
                              QStringLiteral(" if you have any questions."),
                          "Would you like to read the online help file?"}));
    QVERIFY(program.platform.openedUrls.isEmpty());

    program.platform.answers.enqueue(MessageAnswer::Yes);
    program.click(help);
    QCOMPARE(program.platform.openedUrls,
             QList<QUrl>{QUrl(QString::fromUtf8(BuildSettings::website) + "/vantoria/help/")});
}

void MainWindowTest::websiteOnOneStartInAHundred() {
    const QString folder = folderWith(true);
    Program unlucky(folder);
    unlucky.platform.randomNumbers.enqueue(0.07);
    unlucky.start();
    QVERIFY(unlucky.platform.openedUrls.isEmpty());

    Program lucky(folder);
    lucky.platform.secondsNow = 4242;
    lucky.platform.randomNumbers.enqueue(0.065);
    lucky.start();
    QCOMPARE(lucky.platform.seed, 4242u);
    QCOMPARE(lucky.platform.openedUrls,
             QList<QUrl>{QUrl(QString::fromUtf8(BuildSettings::website))});

    Program failing(folder);
    failing.platform.randomNumbers.enqueue(0.06);
    failing.platform.openUrlFails = true;
    failing.start();
    QCOMPARE(failing.platform.messages.size(), 1);
    QVERIFY(failing.platform.messages.first().text.contains(QStringLiteral("at line 110")));
    QCOMPARE(failing.window.combo1()->count(),
             int(SaveOption::itemTexts().size())); // start-up went on
}

void MainWindowTest::handPointerFile() {
    Program without(folderWith(false));
    without.start();
    hover(without.window.control(sample));
    QCOMPARE(without.window.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(without.platform.messages.isEmpty());

    QFile broken(dir_->filePath(QStringLiteral("HAND-M.CUR")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a cursor at all, only text");
    broken.close();
    Program withBroken(dir_->path());
    withBroken.start();
    QCOMPARE(withBroken.platform.messages.size(), 1);
    QVERIFY(withBroken.platform.messages.first().text.contains(QStringLiteral("at line 108")));
    hover(withBroken.window.control(sample));
    QCOMPARE(withBroken.window.cursor().shape(), Qt::ArrowCursor);
}

void MainWindowTest::skinFile() {
    QFile example(QStringLiteral(QUELLIST_EXAMPLE_SKIN));
    QVERIFY(example.open(QIODevice::ReadOnly));
    Program skinned(folderWith(true, example.readAll()));
    skinned.start();
    QVERIFY(skinned.platform.messages.isEmpty());
    const QColor face = QApplication::palette().color(QPalette::Button);
    QCOMPARE(skinned.window.palette().color(QPalette::Window), face);
    QCOMPARE(skinned.window.frame1()->palette().color(QPalette::Window), face);
    QVERIFY(!skinned.window.styleSheet().isEmpty());

    Program broken(folderWith(true, "QPushButton { color: red; ")); // never closed
    broken.start();
    QCOMPARE(broken.platform.messages.size(), 1);
    QVERIFY(broken.platform.messages.first().text.contains(QStringLiteral("at line 100")));
    QCOMPARE(broken.window.windowTitle(), QStringLiteral("Quellist")); // start-up went on
}

// Every control's font, by the control's name or caption.
QMap<QString, QFont> controlFonts(const MainWindow& w) {
    QMap<QString, QFont> fonts{
        {QStringLiteral("ListView1"), w.listView1()->font()},
        {QStringLiteral("ListView1 header"), w.listView1()->header()->font()},
        {QStringLiteral("ListView2"), w.listView2()->font()},
        {QStringLiteral("Combo1"), w.combo1()->font()},
        {QStringLiteral("Frame1"), w.frame1()->font()},
        {QStringLiteral("ProgressBar1"), w.progressBar1()->font()}};
    for (QPushButton* button : w.findChildren<QPushButton*>())
        fonts.insert(button->text(), button->font());
    return fonts;
}

void MainWindowTest::brokenSkinKeepsFonts() {
    Program plain(folderWith(true));
    plain.start();
    const QMap<QString, QFont> expected = controlFonts(plain.window);
    QCOMPARE(expected.value(QStringLiteral("ListView1")).family(), QStringLiteral("Arial"));
    QVERIFY(expected.value(QStringLiteral("ListView1")).bold());

    Program broken(folderWith(true, "QListView { background: yellow; } QPushButton { color: "));
    broken.start();
    QCOMPARE(broken.platform.messages.size(), 1);
    const QMap<QString, QFont> after = controlFonts(broken.window);
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(),
                 qPrintable(it.key() + QStringLiteral(": ") + after.value(it.key()).toString() +
                            QStringLiteral(" instead of ") + it.value().toString()));
}

void MainWindowTest::programIconImages() {
    Program program(folderWith(true));
    program.start();
    const QIcon icon = program.window.windowIcon();
    for (int size : {32, 48, 128, 256}) {
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // A real picture: not one flat colour as a blank stand-in would be.
        QVERIFY(image.pixel(size / 2, size / 2) != image.pixel(0, 0));
    }
}

// What a command lets escape (memory running out in a step without a trap) is reported
// at its location, and the window goes on taking commands.
void MainWindowTest::escapedFailureIsReported() {
    Program program(folderWith(true));
    program.start();
    program.platform.onSpreadsheetProbe = [] { throw std::bad_alloc(); };
    program.click(QStringLiteral("PushButton13"));
    QCOMPARE(program.platform.messages.size(), 1);
    QCOMPARE(program.platform.messages.first().title, QStringLiteral("Application Error"));
    QVERIFY(program.platform.messages.first().text.startsWith(
        QStringLiteral("Out of memory\r\nin Marrowby2021/08/31.Form1.PushButton13_Click at line")));
    QCOMPARE(program.state.pointer.value(), int(MousePointer::Default));
    program.click(sample);
    QCOMPARE(program.state.entries.count(), 6);
}

void MainWindowTest::closingDuringRunEndsIt() {
    Program program(folderWith(true));
    program.start();
    program.click(sample);
    program.platform.onceWhen(
        [&] { return program.state.progress.text() == QStringLiteral("Processing: NASHUA , NH"); },
        [&] { program.window.close(); });
    program.click(startConverting);
    QVERIFY(program.platform.closed);
    QVERIFY(program.platform.messages.isEmpty()); // no "Done.", no question
    QVERIFY(!program.state.isConverting);
}

void MainWindowTest::megabyteEntryShownInPart() {
    Program program(folderWith(true));
    program.start();
    program.platform.promptTexts.enqueue(QString(1 << 20, u'w') + QStringLiteral(", NH"));
    program.click(addEntry);
    QCoreApplication::processEvents();
    program.window.listView1()->viewport()->repaint();
    program.state.progress.setText(QStringLiteral("Processing: ") + program.state.entries.text(0));
    program.window.progressBar1()->repaint();
    // The bar shows the start of the text; the state keeps all of it.
    QVERIFY(program.window.progressBar1()->text().size() < 400);
    QCOMPARE(program.state.progress.text().size(), 12 + (1 << 20) + 4);
}

void MainWindowTest::droppedFilesLoadInOrder() {
    Program program(folderWith(true));
    program.start();
    program.click(sample);
    const qsizetype before = program.state.entries.count();
    QTemporaryDir lists;
    const auto path = [&](const char* name) { return lists.filePath(QString::fromLatin1(name)); };
    QVERIFY(writeFile(path("second.txt"), "11760\r\n"));
    QVERIFY(writeFile(path("first.txt"), "03053\r\nnashua , nh\r\n"));
    QVERIFY(writeFile(path("binary.txt"), QByteArray("030\0"
                                                     "53",
                                                     6)));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path("first.txt")), QUrl::fromLocalFile(path("missing.txt")),
                  QUrl::fromLocalFile(path("binary.txt")),
                  QUrl::fromLocalFile(path("second.txt"))});
    QList<int> pointerWhileReporting;
    program.platform.onMessage = [&](const ShownMessage&) {
        pointerWhileReporting << program.state.pointer.value();
    };
    QVERIFY(dragAndDrop(program.window, program.window.listView1()->viewport(), data));
    QCOMPARE(program.entries().mid(before), (QStringList{"03053", "NASHUA , NH", "11760"}));
    QCOMPARE(
        program.platform.messageTexts(),
        (QStringList{"File not found", ListFileImport::binaryFileMessage(path("binary.txt"))}));
    QCOMPARE(pointerWhileReporting, (QList<int>{MousePointer::Hourglass, MousePointer::Hourglass}));
    QCOMPARE(program.state.pointer.value(), int(MousePointer::Default));
    // Anywhere on the window, not only on the list.
    data.setUrls({QUrl::fromLocalFile(path("second.txt"))});
    QVERIFY(dragAndDrop(program.window, program.window.control(startConverting), data));
    QCOMPARE(program.entries().last(), QStringLiteral("11760"));
}

void MainWindowTest::droppedTextIsNotTaken() {
    Program program(folderWith(true));
    program.start();
    QMimeData cells; // a column dragged out of a spreadsheet
    cells.setText(QStringLiteral("03053\n11760\n"));
    QVERIFY(!dragAndDrop(program.window, program.window.listView1()->viewport(), cells));
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("https://example.com/zips.txt"))});
    QVERIFY(!dragAndDrop(program.window, program.window.listView1()->viewport(), link));
    QVERIFY(program.entries().isEmpty());
    QVERIFY(program.platform.messages.isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
