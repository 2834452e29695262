#pragma once
// The main window (Form1): shows WindowState in widgets and starts the commands.
// It holds no state of its own that a command needs.

#include "ConversionRun.h"
#include "EntryListCommands.h"
#include "QtPlatform.h"
#include "WindowState.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QProgressBar;
class QPushButton;
class QTreeView;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(WindowState& state, QtPlatform& platform, const QString& databasePath);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTreeView* makeListView(TextListModel& model, const QRect& twips);
    QPushButton* makeButton(const QString& text, const QRect& twips, std::function<void()> command);
    void setUpState();
    void bindSaveOption();
    void bindProgress();
    void bindPointer();
    void runCommand(const std::function<void()>& command);

    WindowState& state_;
    QtPlatform& platform_;
    ConversionRun conversion_;
    EntryListCommands entryCommands_;
    QComboBox* saveOptionBox_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
};
