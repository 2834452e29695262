#pragma once
// "Copy Results To Clipboard" (PushButton5): the results list as plain text, one line per
// row, cells padded and tab-separated, blanks at line ends removed, CR LF after every
// line. The clipboard calls are retried while another program holds the clipboard.

#include "ColumnLayout.h"
#include "EventPump.h"
#include "ListSource.h"
#include "Platform.h"
#include "WindowState.h"

class ClipboardCopy {
public:
    static constexpr int maxAttempts = 1000;

    ClipboardCopy(WindowState& state, Platform& platform);

    void PushButton5_Click();
    // Leaves the clipboard untouched when the list has no rows.
    void CopyListviewToClipboard(const ListSource& list);
    void ClearClipboardWithRetry();
    // format 0: plain text. True when the text was placed.
    bool SetClipboardTextWithRetry(const QString& text, int format);

    static QString clipboardText(const ListSource& list, EventPump& pump);
    static QString confirmation();

private:
    static qsizetype exactLength(const ColumnLayout::Measure& layout);

    WindowState& state_;
    Platform& platform_;
};
