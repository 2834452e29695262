#pragma once
// shell: the main window and the Qt side of the platform seam.
//
// QtPlatform answers the commands' requests with real dialogs, the real clipboard,
// the desktop's browser and the application's event loop.

#include "core/Platform.h"

#include <future>
#include <random>

class QWidget;

class QtPlatform : public Platform {
public:
    // Starts looking for the desktop's spreadsheet program beside the window: asking
    // xdg-mime may take seconds, which no click should wait for.
    QtPlatform();

    // The window that dialogs are modal to.
    void setWindow(QWidget* window) { window_ = window; }
    void markWindowClosed() { windowClosed_ = true; }

    MessageAnswer showMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                              const QString& title) override;
    QString inputPrompt(const QString& prompt, const QString& title) override;
    QStringList openFileNames(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    bool clearClipboard() override;
    bool setClipboardText(const QString& text) override;
    bool openUrl(const QUrl& url) override;
    // The program found once for the session; the window goes on while it is looked for.
    std::optional<SpreadsheetProgram> findSpreadsheetProgram() override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    int secondsSinceMidnight() override;
    void seedRandom(std::uint32_t seed) override;
    double nextRandom() override;
    std::optional<QString> readSetting(const QString& key) override;
    bool writeSetting(const QString& key, const QString& text) override;
    QString settingsStore() const override;
    std::int64_t monotonicMilliseconds() override;
    void processEvents() override;
    bool windowClosed() const override { return windowClosed_; }

    // Message texts use CR LF and lone CR as line breaks; a Qt label wants LF.
    static QString displayText(const QString& text);

private:
    QWidget* window_ = nullptr;
    bool windowClosed_ = false;
    std::mt19937 random_;
    std::shared_future<std::optional<SpreadsheetProgram>> spreadsheetProgram_;
};
