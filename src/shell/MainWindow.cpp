#include "shell/MainWindow.h"

#include "commands/FormLoad.h"
#include "commands/HelpCommand.h"
#include "convert/ConversionRun.h"
#include "core/AppError.h"
#include "core/ErrorTrap.h"
#include "core/RemoveSelectedRow.h"
#include "core/WindowClosed.h"
#include "entries/EntryListCommands.h"
#include "entries/ListFileImport.h"
#include "output/ClipboardCopy.h"
#include "output/ResultListCommands.h"
#include "output/SpreadsheetExport.h"
#include "output/TextExport.h"
#include "shell/CursorFile.h"
#include "shell/StyleSheetCheck.h"
#include "shell/TextListAccessible.h"
#include "shell/TextListView.h"
#include "shell/TextProgressBar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

namespace {

// The layout is designed in twips: 15 to a pixel at 96 dots per inch. Qt scales the
// pixels on high-density screens.
QRect fromTwips(const QRect& twips) {
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

QFont arialBold(double points) {
    QFont font(QStringLiteral("Arial")); // fontconfig stands in Liberation Sans where needed
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

const char* const listToolTip = "Double-click item to remove it. Move | line to right and out of "
                                "window to reveal full names.";

// The local files a drag carries, in its order; none when it carries anything else, such
// as cells dragged out of a spreadsheet, which are text, not files.
QStringList droppedFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

// Every command of the window, made with it.
struct MainWindow::Commands {
    Commands(WindowState& state, Platform& platform, WindowLook& look, const QString& folder)
        : conversion(state, platform, folder + QStringLiteral("/zipbase.mdb"))
        , entries(state, platform)
        , results(state, platform)
        , fileImport(state, platform)
        , textExport(state, platform)
        , clipboardCopy(state, platform)
        , spreadsheetExport(state, platform)
        , help(state, platform)
        , formLoad(state, platform, look, results, folder) {}

    ConversionRun conversion;
    EntryListCommands entries;
    ResultListCommands results;
    ListFileImport fileImport;
    TextExport textExport;
    ClipboardCopy clipboardCopy;
    SpreadsheetExport spreadsheetExport;
    HelpCommand help;
    FormLoad formLoad;
};

// One control of the window as designed: positions in twips, relative to the window (for
// Combo1, to Frame1, which holds it); listed in tab order.
struct MainWindow::ControlRow {
    enum Kind { List, Button, Frame, Combo, Progress };
    const char* name;
    Kind kind;
    const char* caption; // a button's or the frame's text
    QRect twips;
    TextListModel WindowState::*model = nullptr; // a list's rows
    void (*command)(Commands&) = nullptr;        // a button's click
    const char* location = nullptr;              // where its reports say it happened
};

std::span<const MainWindow::ControlRow> MainWindow::controlTable() {
    using Row = ControlRow;
    static const ControlRow table[] = {
        {"ListView1", Row::List, "", {120, 630, 7800, 1815}, &WindowState::entries},
        {"ListView2", Row::List, "", {120, 4875, 7800, 1815}, &WindowState::results},
        {"PushButton6",
         Row::Button,
         "Add City, State or Zip",
         {120, 2520, 3840, 405},
         nullptr,
         [](Commands& c) { c.entries.PushButton6_Click(); },
         EntryListCommands::addEntryLocation},
        {"PushButton3",
         Row::Button,
         "Load City, State or Zip From File",
         {4080, 2520, 3840, 405},
         nullptr,
         [](Commands& c) { c.fileImport.PushButton3_Click(); },
         ListFileImport::loadFromFileLocation},
        {"PushButton1",
         Row::Button,
         "Clear List",
         {120, 3020, 3840, 405},
         nullptr,
         [](Commands& c) { c.entries.PushButton1_Click(); },
         EntryListCommands::clearListLocation},
        {"PushButton17",
         Row::Button,
         "Start Converting",
         {120, 4380, 7800, 405},
         nullptr,
         [](Commands& c) { c.conversion.PushButton17_Click(); },
         ConversionRun::startConvertingLocation},
        {"PushButton4",
         Row::Button,
         "Save Results As Text File",
         {120, 6780, 3840, 405},
         nullptr,
         [](Commands& c) { c.textExport.PushButton4_Click(); },
         TextExport::saveAsTextLocation},
        {"PushButton13",
         Row::Button,
         "Save Results As Excel File",
         {4080, 6780, 3840, 405},
         nullptr,
         [](Commands& c) { c.spreadsheetExport.PushButton13_Click(); },
         SpreadsheetExport::saveAsExcelLocation},
        {"PushButton2",
         Row::Button,
         "Clear Results",
         {4080, 7290, 3840, 405},
         nullptr,
         [](Commands& c) { c.results.PushButton2_Click(); },
         ResultListCommands::clearResultsLocation},
        {"Frame1",
         Row::Frame,
         " What part of the results would you like to save?",
         {120, 3465, 7800, 800}},
        {"Combo1", Row::Combo, "", {240, 300, 7320, 345}},
        {"PushButton5",
         Row::Button,
         "Copy Results To Clipboard",
         {120, 7290, 3840, 405},
         nullptr,
         [](Commands& c) { c.clipboardCopy.PushButton5_Click(); },
         ClipboardCopy::copyToClipboardLocation},
        {"PushButton7",
         Row::Button,
         "Load Sample/Example Data",
         {4080, 3020, 3840, 405},
         nullptr,
         [](Commands& c) { c.entries.PushButton7_Click(); },
         EntryListCommands::loadSampleLocation},
        {"PushButton8",
         Row::Button,
         "Help",
         {120, 120, 7800, 405},
         nullptr,
         [](Commands& c) { c.help.PushButton8_Click(); },
         HelpCommand::helpLocation},
        {"ProgressBar1", Row::Progress, "", {120, 7810, 7800, 405}},
    };
    return table;
}

MainWindow::MainWindow(WindowState& state, Platform& platform, const QString& programFolder)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
    , state_(state)
    , platform_(platform)
    , commands_(std::make_unique<Commands>(state, platform, *this, programFolder)) {
    // Screen readers read the lists, and hear their events, through it.
    TextListAccessible::installFactory();
    setFixedSize(fromTwips({0, 0, 8040, 8325}).size());
    setFont(arialBold(9));
    setAutoFillBackground(true);
    // White, as the window is designed, with the text colour that goes with white whatever
    // the desktop's palette: a dark theme's light text would vanish on it. The lists,
    // buttons and box keep the desktop's colours, their text on their own backgrounds.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setMouseTracking(true);
    setAcceptDrops(true);
    makeControls();
    installEventFilter(this); // after the controls: the filter looks at them
    setTabOrder();
    bindSaveOption();
    bindProgress();
    bindPointer();
}

MainWindow::~MainWindow() = default;

void MainWindow::load() {
    commands_->formLoad.Form_Load();
}

void MainWindow::makeControls() {
    for (const ControlRow& row : controlTable()) {
        QWidget* made = makeControl(row);
        made->setGeometry(fromTwips(row.twips));
        controls_.insert(QLatin1String(row.name), made);
    }
}

QWidget* MainWindow::makeControl(const ControlRow& row) {
    switch (row.kind) {
    case ControlRow::List:
        return watchPointer(makeList(state_.*row.model));
    case ControlRow::Button:
        return watchPointer(makeButton(row));
    case ControlRow::Frame: {
        auto* frame = new QGroupBox(QString::fromUtf8(row.caption), this);
        frame->setAutoFillBackground(true);
        return watchPointer(frame);
    }
    case ControlRow::Combo: {
        auto* combo = new QComboBox(frame1()); // the frame round it answers for the pointer
        combo->setEditable(false);
        return combo;
    }
    case ControlRow::Progress:
        return makeProgressBar();
    }
    return nullptr;
}

// The pointer follows the mouse over the control (the hand over buttons, the arrow else).
QWidget* MainWindow::watchPointer(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    return widget;
}

TextListView* MainWindow::makeList(TextListModel& model) {
    auto* view = new TextListView(model, this);
    view->setToolTip(QString::fromLatin1(listToolTip));
    view->viewport()->installEventFilter(this);
    view->viewport()->setMouseTracking(true);
    return view;
}

QPushButton* MainWindow::makeButton(const ControlRow& row) {
    auto* button = new QPushButton(QString::fromUtf8(row.caption), this);
    button->setFont(arialBold(11.25));
    connect(button, &QPushButton::clicked, this,
            [this, &row] { runCommand([this, &row] { row.command(*commands_); }, row.location); });
    buttons_.append(button);
    return button;
}

TextProgressBar* MainWindow::makeProgressBar() {
    auto* bar = new TextProgressBar(this);
    bar->setAccessibleName(QStringLiteral("Progress"));
    bar->setRange(0, 100);
    bar->setTextVisible(true);
    bar->setAlignment(Qt::AlignCenter);
    return bar;
}

QWidget* MainWindow::control(const QString& name) const {
    return controls_.value(name);
}

TextListView* MainWindow::listView1() const {
    return control<TextListView>(QStringLiteral("ListView1"));
}

TextListView* MainWindow::listView2() const {
    return control<TextListView>(QStringLiteral("ListView2"));
}

QComboBox* MainWindow::combo1() const {
    return control<QComboBox>(QStringLiteral("Combo1"));
}

QGroupBox* MainWindow::frame1() const {
    return control<QGroupBox>(QStringLiteral("Frame1"));
}

TextProgressBar* MainWindow::progressBar1() const {
    return control<TextProgressBar>(QStringLiteral("ProgressBar1"));
}

// The table's order is the tab order; the frame and the bar take no focus.
void MainWindow::setTabOrder() {
    QWidget* previous = nullptr;
    for (const ControlRow& row : controlTable()) {
        QWidget* widget = control(QLatin1String(row.name));
        if (!(widget->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::runCommand(const std::function<void()>& command, const char* location) {
    try {
        command();
    } catch (const WindowClosed&) {
        // The window is gone: the command stopped at its yield and the program ends.
        QApplication::quit();
    } catch (const std::exception& failure) {
        // What no step of the command trapped (memory running out): reported, and the
        // window at rest again, ready for the next command.
        state_.pointer.set(MousePointer::Default);
        ErrorTrap(platform_, QString::fromLatin1(location)).report(AppError::describe(failure));
    }
}

void MainWindow::bindSaveOption() {
    connect(&state_.saveOption, &OptionBox::itemsChanged, this, [this] {
        const QSignalBlocker blocker(combo1());
        combo1()->clear();
        combo1()->addItems(state_.saveOption.items());
        combo1()->setCurrentIndex(state_.saveOption.index());
    });
    connect(&state_.saveOption, &OptionBox::selectionChanged, this, [this](int index) {
        const QSignalBlocker blocker(combo1());
        combo1()->setCurrentIndex(index);
    });
    connect(combo1(), &QComboBox::activated, this, &MainWindow::pickSaveOption);
}

void MainWindow::pickSaveOption(int index) {
    state_.saveOption.select(index);
    try {
        commands_->results.Combo1_Click();
    } catch (const AppError& failure) {
        platform_.showMessage(failure.description(), MessageButtons::Ok, MessageIcon::Warning,
                              state_.applicationTitle);
    }
}

void MainWindow::bindProgress() {
    const auto show = [this] {
        const double value = std::clamp(state_.progress.value(), 0.0, 100.0);
        progressBar1()->setValue(int(std::lround(value)));
        progressBar1()->setShownText(state_.progress.text());
    };
    connect(&state_.progress, &ProgressIndicator::changed, this, show);
    show();
}

void MainWindow::bindPointer() {
    connect(&state_.pointer, &MousePointer::changed, this, [this](int value) {
        if (value == MousePointer::Hourglass)
            setCursor(Qt::WaitCursor);
        else if (value == MousePointer::Custom && customPointer_)
            setCursor(*customPointer_);
        else
            setCursor(Qt::ArrowCursor);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::MouseMove || event->type() == QEvent::Enter;
    if (moved) {
        if (isOverButton(watched, event))
            state_.pointer.hoverOverButton();
        else
            state_.pointer.hoverOverOther();
    }
    if (handleListEvent(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::isOverButton(QObject* watched, QEvent* event) const {
    if (buttons_.contains(watched))
        return true;
    // A button passes on the moves it does not use (no mouse button held) to the window
    // or the frame beneath; they still happen over the button.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || event->type() != QEvent::MouseMove)
        return false;
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    for (QWidget* under = widget->childAt(at); under && under != widget;
         under = under->parentWidget())
        if (buttons_.contains(under))
            return true;
    return false;
}

bool MainWindow::handleListEvent(QObject* watched, QEvent* event) {
    const auto isPartOf = [watched](TextListView* view) {
        return view && (watched == view || watched == view->viewport());
    };
    const bool entries = isPartOf(listView1());
    const bool results = isPartOf(listView2());
    if (!entries && !results)
        return false;
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (entries)
            commands_->entries.ListView1_DblClick();
        else
            commands_->results.ListView2_DblClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Delete)
            return false;
        if (entries)
            commands_->entries.ListView1_KeyDown(deleteKeyCode);
        else
            commands_->results.ListView2_KeyDown(deleteKeyCode);
        return true;
    }
    return false;
}

void MainWindow::useButtonFaceBackground() {
    for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(frame1())}) {
        QPalette face = widget->palette();
        face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
        widget->setPalette(face);
    }
}

void MainWindow::applyStyleSheet(const QString& sheet) {
    const QString problem = StyleSheetCheck::problem(sheet);
    if (!problem.isEmpty())
        throw AppError(QStringLiteral("The skin could not be read: %1").arg(problem));
    setStyleSheet(sheet);
}

void MainWindow::setCaption(const QString& caption) {
    setWindowTitle(caption);
}

void MainWindow::setProgramIcon() {
    // The images are compiled into a static library, whose resources the linker drops
    // unless something names them.
    Q_INIT_RESOURCE(quellist);
    QIcon icon;
    for (int size : {32, 48, 128, 256}) {
        const QString image = QStringLiteral(":/icons/quellist-%1.png").arg(size);
        if (!QFile::exists(image))
            throw AppError(QStringLiteral("The program icon is missing: %1").arg(image));
        icon.addFile(image, QSize(size, size));
    }
    setWindowIcon(icon);
}

void MainWindow::setCustomPointer(const QByteArray& cursorFile) {
    CursorFile reader;
    const std::optional<CursorImage> read = reader.parse(cursorFile);
    if (!read)
        throw AppError(reader.error());
    const CursorImage& image = *read;
    QImage pixels;
    if (!image.png.isEmpty())
        pixels = QImage::fromData(image.png, "PNG");
    else
        pixels = QImage(reinterpret_cast<const uchar*>(image.argb.data()), image.width,
                        image.height, qsizetype(image.width) * 4, QImage::Format_ARGB32)
                     .copy();
    if (pixels.isNull())
        throw AppError(QStringLiteral("The pointer image cannot be decoded"));
    customPointer_ = QCursor(QPixmap::fromImage(pixels), image.hotSpotX, image.hotSpotY);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    runCommand([this, paths] { commands_->fileImport.Form_OLEDragDrop(paths); },
               ListFileImport::dropFilesLocation);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}
