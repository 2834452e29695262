#include "MainWindow.h"

#include "SaveOption.h"
#include "WindowClosed.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>

#include <cmath>

namespace {

// Positions are designed in twips: 15 to a pixel at 96 dots per inch.
QRect fromTwips(const QRect& twips) {
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

} // namespace

MainWindow::MainWindow(WindowState& state, QtPlatform& platform, const QString& databasePath)
    : state_(state)
    , platform_(platform)
    , conversion_(state, platform, databasePath)
    , entryCommands_(state, platform) {
    setWindowTitle(state_.applicationTitle);
    setFixedSize(fromTwips({0, 0, 8040, 8325}).size());
    makeListView(state_.entries, {120, 630, 7800, 1815});
    makeListView(state_.results, {120, 4875, 7800, 1815});
    makeButton(QStringLiteral("Load Sample/Example Data"), {4080, 3020, 3840, 405},
               [this] { entryCommands_.PushButton7_Click(); });
    makeButton(QStringLiteral("Start Converting"), {120, 4380, 7800, 405},
               [this] { conversion_.PushButton17_Click(); });

    auto* frame =
        new QGroupBox(QStringLiteral(" What part of the results would you like to save?"), this);
    frame->setGeometry(fromTwips({120, 3465, 7800, 800}));
    saveOptionBox_ = new QComboBox(frame);
    saveOptionBox_->setGeometry(fromTwips({240, 300, 7320, 345}));
    progressBar_ = new QProgressBar(this);
    progressBar_->setGeometry(fromTwips({120, 7810, 7800, 405}));
    progressBar_->setRange(0, 100);
    progressBar_->setTextVisible(true);

    bindSaveOption();
    bindProgress();
    bindPointer();
    setUpState();
}

QTreeView* MainWindow::makeListView(TextListModel& model, const QRect& twips) {
    auto* view = new QTreeView(this);
    view->setGeometry(fromTwips(twips));
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setModel(&model);
    view->setToolTip(QStringLiteral(
        "Double-click item to remove it. Move | line to right and out of window to reveal full "
        "names."));
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [&model](const QModelIndex& current) { model.setSelectedRow(current.row()); });
    connect(&model, &TextListModel::columnsChanged, view, [view, &model] {
        if (model.columnWidth(0) > 0)
            view->setColumnWidth(0, model.columnWidth(0) / 15);
    });
    return view;
}

QPushButton* MainWindow::makeButton(const QString& text, const QRect& twips,
                                    std::function<void()> command) {
    auto* button = new QPushButton(text, this);
    button->setGeometry(fromTwips(twips));
    connect(button, &QPushButton::clicked, this,
            [this, command = std::move(command)] { runCommand(command); });
    return button;
}

void MainWindow::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const WindowClosed&) {
        // The window is gone: the command stopped at its yield and the program ends.
        QApplication::quit();
    }
}

void MainWindow::setUpState() {
    state_.entries.addColumnHeader(QStringLiteral("Zip Codes Or City, States"));
    state_.entries.setColumnWidth(0, 7000);
    state_.results.addColumnHeader(QStringLiteral("Results"));
    state_.results.setColumnWidth(0, 7000);
    for (const QString& item : SaveOption::itemTexts())
        state_.saveOption.appendItem(item);
    state_.saveOption.selectByText(SaveOption::defaultText());
}

void MainWindow::bindSaveOption() {
    connect(&state_.saveOption, &OptionBox::itemsChanged, this, [this] {
        const QSignalBlocker blocker(saveOptionBox_);
        saveOptionBox_->clear();
        saveOptionBox_->addItems(state_.saveOption.items());
        saveOptionBox_->setCurrentIndex(state_.saveOption.index());
    });
    connect(&state_.saveOption, &OptionBox::selectionChanged, this, [this](int index) {
        const QSignalBlocker blocker(saveOptionBox_);
        saveOptionBox_->setCurrentIndex(index);
    });
    connect(saveOptionBox_, &QComboBox::activated, this,
            [this](int index) { state_.saveOption.select(index); });
}

void MainWindow::bindProgress() {
    const auto show = [this] {
        const double value = std::clamp(state_.progress.value(), 0.0, 100.0);
        progressBar_->setValue(int(std::lround(value)));
        QString format = state_.progress.text();
        format.replace(u'%', QStringLiteral("%%")); // the bar would expand %p, %v, %m
        progressBar_->setFormat(format);
    };
    connect(&state_.progress, &ProgressIndicator::changed, this, show);
    show();
}

void MainWindow::bindPointer() {
    connect(&state_.pointer, &MousePointer::changed, this, [this](int value) {
        if (value == MousePointer::Hourglass)
            setCursor(Qt::WaitCursor);
        else
            unsetCursor();
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    platform_.markWindowClosed();
    event->accept();
    QApplication::quit();
}
