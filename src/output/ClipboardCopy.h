#pragma once
// "Copy Results To Clipboard" (PushButton5): the results list as plain text, one line per
// row, cells padded and tab-separated, blanks at line ends removed, CR LF after every
// line. The clipboard calls are retried while another program holds the clipboard.

#include "core/Command.h"
#include "core/ListSource.h"
#include "core/Platform.h"
#include "core/WindowState.h"

class ClipboardCopy : public Command {
public:
    // Where the "Application Error" reports of this command say it happened.
    static constexpr const char* copyToClipboardLocation =
        "in Marrowby2021/08/31.Form1.PushButton5_Click ";

    static constexpr int maxAttempts = 1000;

    using Command::Command;

    void PushButton5_Click();
    // Leaves the clipboard untouched when the list has no rows.
    void CopyListviewToClipboard(const ListSource& list);
    void ClearClipboardWithRetry();
    // Plain text. True when the text was placed.
    bool SetClipboardTextWithRetry(const QString& text);

    static QString confirmation();
};
