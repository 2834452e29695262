#pragma once
// The platform seam for tests: answers come from queues the test fills beforehand,
// and everything the program shows or hands out is recorded. A test can hook the
// yield to act in the middle of a long command.

#include "core/Platform.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

struct ShownMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString title;
};

class ScriptedPlatform : public Platform {
public:
    // Queued answers; when a queue is empty: Yes/No questions answer No, prompts and
    // dialogs are cancelled.
    QQueue<MessageAnswer> answers;
    QQueue<QString> promptTexts;
    QQueue<QStringList> openFileSelections;
    QQueue<QString> saveFileNames;
    QQueue<double> randomNumbers;
    int clipboardFailuresLeft = 0; // the next this many clipboard calls fail

    // Called at every yield with the yield's number, counted from 1.
    std::function<void(int)> onYield;
    // Acts once, at the first yield at which seen() holds: a test steps in when the window
    // shows something (an entry on the progress bar, the hourglass), as a user would,
    // however many yields led there. Replaces onYield.
    void onceWhen(std::function<bool()> seen, std::function<void()> act);
    // Called at every look for the spreadsheet program (it may throw, as a failing probe).
    std::function<void()> onSpreadsheetProbe;
    // Called whenever a message is shown, before it is recorded as answered.
    std::function<void(const ShownMessage&)> onMessage;
    // How far the clock moves at each reading; the default makes every yield due.
    std::int64_t millisecondsPerReading = 1000;
    bool closed = false;
    bool openUrlFails = false;
    std::optional<SpreadsheetProgram> spreadsheetProgram; // none: no spreadsheet program
    bool startProgramFails = false;

    // What happened.
    QList<ShownMessage> messages;
    QStringList prompts;
    QList<FileDialogRequest> fileDialogs;
    QList<QUrl> openedUrls;
    QList<QStringList> startedPrograms; // program, then its arguments
    QString clipboard;
    bool clipboardHoldsText = false;
    int clipboardAttempts = 0;
    int yields = 0;
    int spreadsheetProbes = 0;
    std::uint32_t seed = 0;
    int secondsNow = 0;

    QStringList messageTexts() const;

    MessageAnswer showMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                              const QString& title) override;
    QString inputPrompt(const QString& prompt, const QString& title) override;
    QStringList openFileNames(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    bool clearClipboard() override;
    bool setClipboardText(const QString& text) override;
    bool openUrl(const QUrl& url) override;
    // The real per-user store (in the test mode of QStandardPaths): the tests check the
    // files the window leaves.
    std::optional<QString> readSetting(const QString& key) override;
    bool writeSetting(const QString& key, const QString& text) override;
    QString settingsStore() const override;
    std::optional<SpreadsheetProgram> findSpreadsheetProgram() override {
        ++spreadsheetProbes;
        if (onSpreadsheetProbe)
            onSpreadsheetProbe();
        return spreadsheetProgram;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override;
    int secondsSinceMidnight() override { return secondsNow; }
    void seedRandom(std::uint32_t value) override { seed = value; }
    double nextRandom() override;
    std::int64_t monotonicMilliseconds() override;
    void processEvents() override;
    bool windowClosed() const override { return closed; }

private:
    bool clipboardCallFails();
    std::int64_t clock_ = 0;
};
