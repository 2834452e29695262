#pragma once
// The main window (Form1): its fixed layout, and the bridge between widgets and the
// commands. Widgets show WindowState; user actions start commands; the window keeps no
// state of its own that a command needs.

#include "commands/FormLoad.h"
#include "commands/HelpCommand.h"
#include "commands/WindowLook.h"
#include "convert/ConversionRun.h"
#include "core/Platform.h"
#include "core/WindowState.h"
#include "entries/EntryListCommands.h"
#include "entries/ListFileImport.h"
#include "output/ClipboardCopy.h"
#include "output/ResultListCommands.h"
#include "output/SpreadsheetExport.h"
#include "output/TextExport.h"

#include <QCursor>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QPushButton;
class TextListView;
class TextProgressBar;

class MainWindow : public QWidget, public WindowLook {
    Q_OBJECT
public:
    // programFolder holds zipbase.mdb, HAND-M.CUR and the optional skin x/o.cjs.
    MainWindow(WindowState& state, Platform& platform, const QString& programFolder);

    // Runs start-up (Form_Load); call once before the window is shown.
    void load();

    // The controls by their designer names, for tests that click and type like a user.
    TextListView* listView1() const { return listView1_; }
    TextListView* listView2() const { return listView2_; }
    QComboBox* combo1() const { return combo1_; }
    QGroupBox* frame1() const { return frame1_; }
    TextProgressBar* progressBar1() const { return progressBar1_; }
    QPushButton* button(const QString& caption) const;

    void useButtonFaceBackground() override;
    void applyStyleSheet(const QString& sheet) override;
    void setCaption(const QString& caption) override;
    void setProgramIcon() override;
    void setCustomPointer(const QByteArray& cursorFile) override;

signals:
    // The user closed the window: long commands stop at their next yield.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // List files dragged from a file manager, dropped anywhere on the window.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TextListView* makeListView(TextListModel& model, const QRect& twips);
    QPushButton* makeButton(const QString& text, const QRect& twips, std::function<void()> command);
    void makeControls();
    void setTabOrder();
    void bindSaveOption();
    void bindProgress();
    void bindPointer();
    void pickSaveOption(int index);
    void restoreFonts();
    bool handleListEvent(QObject* watched, QEvent* event);
    bool isOverButton(QObject* watched, QEvent* event) const;
    void runCommand(const std::function<void()>& command);

    WindowState& state_;
    Platform& platform_;
    ConversionRun conversion_;
    EntryListCommands entryCommands_;
    ResultListCommands resultCommands_;
    ListFileImport fileImport_;
    TextExport textExport_;
    ClipboardCopy clipboardCopy_;
    SpreadsheetExport spreadsheetExport_;
    HelpCommand help_;
    FormLoad formLoad_;
    std::optional<QCursor> customPointer_;

    TextListView* listView1_ = nullptr;
    TextListView* listView2_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QComboBox* combo1_ = nullptr;
    TextProgressBar* progressBar1_ = nullptr;
    QList<QPushButton*> buttons_;
};
