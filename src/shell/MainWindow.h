#pragma once
// The main window (Form1): its fixed layout, and the bridge between widgets and the
// commands. One table of controls (MainWindow.cpp) gives each its designer name, caption,
// place, tab position and command. Widgets show WindowState; user actions start commands;
// the window keeps no state of its own that a command needs.

#include "commands/WindowLook.h"
#include "core/Platform.h"
#include "core/WindowState.h"

#include <QCursor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <span>

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
    ~MainWindow() override;

    // Runs start-up (Form_Load); call once before the window is shown.
    void load();

    // A control by its designer name ("PushButton17", "ListView1", "Combo1"), for tests
    // that click and type like a user; null for a name the window does not have.
    QWidget* control(const QString& name) const;
    template <typename Widget> Widget* control(const QString& name) const {
        return qobject_cast<Widget*>(control(name));
    }
    TextListView* listView1() const;
    TextListView* listView2() const;
    QComboBox* combo1() const;
    QGroupBox* frame1() const;
    TextProgressBar* progressBar1() const;

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
    struct Commands;
    struct ControlRow;

    static std::span<const ControlRow> controlTable();
    void makeControls();
    QWidget* makeControl(const ControlRow& row);
    QWidget* watchPointer(QWidget* widget);
    TextListView* makeList(TextListModel& model);
    QPushButton* makeButton(const ControlRow& row);
    TextProgressBar* makeProgressBar();
    void setTabOrder();
    void bindSaveOption();
    void bindProgress();
    void bindPointer();
    void pickSaveOption(int index);
    bool handleListEvent(QObject* watched, QEvent* event);
    bool isOverButton(QObject* watched, QEvent* event) const;
    // Runs a command; what it lets escape is reported at its location, and the window goes on.
    void runCommand(const std::function<void()>& command, const char* location);

    WindowState& state_;
    Platform& platform_;
    std::unique_ptr<Commands> commands_;
    std::optional<QCursor> customPointer_;
    QHash<QString, QWidget*> controls_; // by designer name
    QList<QWidget*> buttons_;
};
