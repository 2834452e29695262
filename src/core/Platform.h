#pragma once
// The platform seam: everything outside the program that a command uses goes through
// this interface. The shell implements it with Qt (QtPlatform); tests use a scripted
// double that queues answers and records what was shown.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <optional>

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Warning };
// The values the original toolkit returns: 1 for OK, 6 for Yes, 7 for No.
enum class MessageAnswer { Ok = 1, Yes = 6, No = 7 };

struct FileDialogRequest {
    QString title;
    QStringList filters; // "Text Files (*.txt)", "All Files (*)"
};

// How to start the desktop's spreadsheet program on a file: the program, the arguments
// that go before the file's path.
struct SpreadsheetProgram {
    QString program;
    QStringList argumentsBeforeFile;
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual MessageAnswer showMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                                      const QString& title) = 0;
    // Returns the typed text, or the empty text when the user cancels.
    virtual QString inputPrompt(const QString& prompt, const QString& title) = 0;
    // One file: its full path. Several: their folder, then the names chosen in it.
    // Empty when the user cancels.
    virtual QStringList openFileNames(const FileDialogRequest& request) = 0;
    // The full path as chosen (a name typed without extension stays without); empty on cancel.
    virtual QString saveFileName(const FileDialogRequest& request) = 0;

    virtual bool clearClipboard() = 0;
    virtual bool setClipboardText(const QString& text) = 0;

    // Opens the address in the desktop's browser; false when it could not be handed over.
    virtual bool openUrl(const QUrl& url) = 0;

    // The spreadsheet program that can be started here, if any.
    virtual std::optional<SpreadsheetProgram> findSpreadsheetProgram() = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    virtual int secondsSinceMidnight() = 0;
    // A number r with 0 <= r < 1 from a generator seeded by seedRandom.
    virtual void seedRandom(std::uint32_t seed) = 0;
    virtual double nextRandom() = 0;

    // The per-user settings store: the text kept under the key, if any.
    virtual std::optional<QString> readSetting(const QString& key) = 0;
    // Keeps the text under the key, written through at once. False when the store cannot
    // be written; settingsStore() names it.
    virtual bool writeSetting(const QString& key, const QString& text) = 0;
    virtual QString settingsStore() const = 0;

    // Milliseconds from a monotonic clock; used to throttle yields and repaints.
    virtual std::int64_t monotonicMilliseconds() = 0;
    // Lets the window handle pending events (input, repainting). Other commands may
    // run inside this call.
    virtual void processEvents() = 0;
    // True once the user has closed the main window: long commands stop at their next yield.
    virtual bool windowClosed() const = 0;
};
