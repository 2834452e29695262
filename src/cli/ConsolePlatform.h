#pragma once
// The platform seam for a program without a window: what a command would show in a
// message box goes to standard error, one line, without the report's advice to e-mail a
// screenshot; there are no dialogs, no clipboard and no event loop to yield to.

#include "core/Platform.h"

#include "core/CoarseClock.h"

class ConsolePlatform : public Platform {
public:
    MessageAnswer showMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                              const QString& title) override;
    QString inputPrompt(const QString&, const QString&) override { return {}; }
    QStringList openFileNames(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool clearClipboard() override { return false; }
    bool setClipboardText(const QString&) override { return false; }
    bool openUrl(const QUrl&) override { return false; }
    std::optional<SpreadsheetProgram> findSpreadsheetProgram() override { return std::nullopt; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    int secondsSinceMidnight() override { return 0; }
    void seedRandom(std::uint32_t) override {}
    double nextRandom() override { return 0.5; }
    // The converter keeps no settings.
    std::optional<QString> readSetting(const QString&) override { return std::nullopt; }
    bool writeSetting(const QString&, const QString&) override { return false; }
    QString settingsStore() const override { return {}; }
    std::int64_t monotonicMilliseconds() override { return CoarseClock::milliseconds(); }
    void processEvents() override {}
    bool windowClosed() const override { return false; }

    // Writes "quellist-convert: <text>" and a line end to standard error.
    static void say(const QString& text);
};
