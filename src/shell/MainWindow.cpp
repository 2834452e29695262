#include "shell/MainWindow.h"

#include "core/AppError.h"
#include "core/RemoveSelectedRow.h"
#include "core/WindowClosed.h"
#include "shell/CursorFile.h"
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

// Shift state as the key-down handlers take it: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
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

MainWindow::MainWindow(WindowState& state, Platform& platform, const QString& programFolder)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
    , state_(state)
    , platform_(platform)
    , conversion_(state, platform, programFolder + QStringLiteral("/zipbase.mdb"))
    , entryCommands_(state, platform)
    , resultCommands_(state, platform)
    , fileImport_(state, platform)
    , textExport_(state, platform)
    , clipboardCopy_(state, platform)
    , spreadsheetExport_(state, platform)
    , help_(state, platform)
    , formLoad_(state, platform, *this, resultCommands_, programFolder) {
    setFixedSize(fromTwips({0, 0, 8040, 8325}).size());
    setFont(arialBold(9));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
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

void MainWindow::load() {
    formLoad_.Form_Load();
}

void MainWindow::makeControls() {
    listView1_ = makeListView(state_.entries, {120, 630, 7800, 1815});
    listView2_ = makeListView(state_.results, {120, 4875, 7800, 1815});
    makeButton(QStringLiteral("Add City, State or Zip"), {120, 2520, 3840, 405},
               [this] { entryCommands_.PushButton6_Click(); });
    makeButton(QStringLiteral("Load City, State or Zip From File"), {4080, 2520, 3840, 405},
               [this] { fileImport_.PushButton3_Click(); });
    makeButton(QStringLiteral("Clear List"), {120, 3020, 3840, 405},
               [this] { entryCommands_.PushButton1_Click(); });
    makeButton(QStringLiteral("Start Converting"), {120, 4380, 7800, 405},
               [this] { conversion_.PushButton17_Click(); });
    makeButton(QStringLiteral("Save Results As Text File"), {120, 6780, 3840, 405},
               [this] { textExport_.PushButton4_Click(); });
    makeButton(QStringLiteral("Save Results As Excel File"), {4080, 6780, 3840, 405},
               [this] { spreadsheetExport_.PushButton13_Click(); });
    makeButton(QStringLiteral("Clear Results"), {4080, 7290, 3840, 405},
               [this] { resultCommands_.PushButton2_Click(); });

    frame1_ =
        new QGroupBox(QStringLiteral(" What part of the results would you like to save?"), this);
    frame1_->setGeometry(fromTwips({120, 3465, 7800, 800}));
    frame1_->setAutoFillBackground(true);
    frame1_->setMouseTracking(true);
    frame1_->installEventFilter(this);
    combo1_ = new QComboBox(frame1_);
    combo1_->setEditable(false);
    combo1_->setGeometry(fromTwips({240, 300, 7320, 345}));

    makeButton(QStringLiteral("Copy Results To Clipboard"), {120, 7290, 3840, 405},
               [this] { clipboardCopy_.PushButton5_Click(); });
    makeButton(QStringLiteral("Load Sample/Example Data"), {4080, 3020, 3840, 405},
               [this] { entryCommands_.PushButton7_Click(); });
    makeButton(QStringLiteral("Help"), {120, 120, 7800, 405},
               [this] { help_.PushButton8_Click(); });

    progressBar1_ = new TextProgressBar(this);
    progressBar1_->setAccessibleName(QStringLiteral("Progress"));
    progressBar1_->setGeometry(fromTwips({120, 7810, 7800, 405}));
    progressBar1_->setRange(0, 100);
    progressBar1_->setTextVisible(true);
    progressBar1_->setAlignment(Qt::AlignCenter);
}

TextListView* MainWindow::makeListView(TextListModel& model, const QRect& twips) {
    auto* view = new TextListView(model, this);
    view->setGeometry(fromTwips(twips));
    view->setToolTip(QString::fromLatin1(listToolTip));
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    view->viewport()->setMouseTracking(true);
    return view;
}

QPushButton* MainWindow::makeButton(const QString& text, const QRect& twips,
                                    std::function<void()> command) {
    auto* button = new QPushButton(text, this);
    button->setGeometry(fromTwips(twips));
    button->setFont(arialBold(11.25));
    button->setMouseTracking(true);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this,
            [this, command = std::move(command)] { runCommand(command); });
    buttons_.append(button);
    return button;
}

QPushButton* MainWindow::button(const QString& caption) const {
    for (QPushButton* button : buttons_)
        if (button->text() == caption)
            return button;
    return nullptr;
}

void MainWindow::setTabOrder() {
    const QList<QWidget*> order{listView1_,
                                listView2_,
                                button(QStringLiteral("Add City, State or Zip")),
                                button(QStringLiteral("Load City, State or Zip From File")),
                                button(QStringLiteral("Clear List")),
                                button(QStringLiteral("Start Converting")),
                                button(QStringLiteral("Save Results As Text File")),
                                button(QStringLiteral("Save Results As Excel File")),
                                button(QStringLiteral("Clear Results")),
                                combo1_,
                                button(QStringLiteral("Copy Results To Clipboard")),
                                button(QStringLiteral("Load Sample/Example Data")),
                                button(QStringLiteral("Help"))};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void MainWindow::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const WindowClosed&) {
        // The window is gone: the command stopped at its yield and the program ends.
        QApplication::quit();
    }
}

void MainWindow::bindSaveOption() {
    connect(&state_.saveOption, &OptionBox::itemsChanged, this, [this] {
        const QSignalBlocker blocker(combo1_);
        combo1_->clear();
        combo1_->addItems(state_.saveOption.items());
        combo1_->setCurrentIndex(state_.saveOption.index());
    });
    connect(&state_.saveOption, &OptionBox::selectionChanged, this, [this](int index) {
        const QSignalBlocker blocker(combo1_);
        combo1_->setCurrentIndex(index);
    });
    connect(combo1_, &QComboBox::activated, this, &MainWindow::pickSaveOption);
}

void MainWindow::pickSaveOption(int index) {
    state_.saveOption.select(index);
    try {
        resultCommands_.Combo1_Click();
    } catch (const AppError& failure) {
        platform_.showMessage(failure.description(), MessageButtons::Ok, MessageIcon::Warning,
                              state_.applicationTitle);
    }
}

void MainWindow::bindProgress() {
    const auto show = [this] {
        const double value = std::clamp(state_.progress.value(), 0.0, 100.0);
        progressBar1_->setValue(int(std::lround(value)));
        progressBar1_->setShownText(state_.progress.text());
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
    const bool entries = isPartOf(listView1_);
    const bool results = isPartOf(listView2_);
    if (!entries && !results)
        return false;
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (entries)
            entryCommands_.ListView1_DblClick();
        else
            resultCommands_.ListView2_DblClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Delete)
            return false;
        if (entries)
            entryCommands_.ListView1_KeyDown(deleteKeyCode, shiftState(key->modifiers()));
        else
            resultCommands_.ListView2_KeyDown(deleteKeyCode, shiftState(key->modifiers()));
        return true;
    }
    return false;
}

void MainWindow::useButtonFaceBackground() {
    for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(frame1_)}) {
        QPalette face = widget->palette();
        face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        widget->setPalette(face);
    }
}

void MainWindow::applyStyleSheet(const QString& sheet) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                warnings.append(text);
        });
    setStyleSheet(sheet);
    ensurePolished();
    for (QWidget* child : findChildren<QWidget*>())
        child->ensurePolished();
    qInstallMessageHandler(previous);
    for (const QString& warning : std::as_const(warnings))
        if (warning.contains(QStringLiteral("Could not parse"))) {
            setStyleSheet(QString());
            restoreFonts();
            throw AppError(QStringLiteral("The skin could not be read: %1").arg(warning));
        }
}

void MainWindow::restoreFonts() {
    // Taking a style sheet off leaves the fonts it set on the controls behind: let every
    // control inherit again, then set the window's and the buttons' own fonts anew.
    for (QWidget* child : findChildren<QWidget*>())
        child->setFont(QFont());
    setFont(arialBold(9));
    for (QPushButton* button : std::as_const(buttons_))
        button->setFont(arialBold(11.25));
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
                        image.height, image.width * 4, QImage::Format_ARGB32)
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
    runCommand([this, paths] { fileImport_.Form_OLEDragDrop(paths); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}
