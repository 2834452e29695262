#pragma once
// Shapes the text of a list file into entries as it arrives, piece by piece, so that a
// list of any size is read without holding it whole. Tabs are removed; a line is padded
// to five characters when shorter, upper-cased and trimmed (blanks, U+0020, only). What
// ends a line is one of two rules:
//
//   Window: the list file import's. CR LF, CR alone and the end of the text end a line (a
//     final CR LF adds no line); a line feed alone splits a line, and every piece but the
//     last is added trimmed only.
//   Any:    quellist-convert's, for lists made on Linux. LF, CR LF and CR alike end a line;
//     a final line end adds no line.
//
// An entry can be bounded: a longer line is not kept whole but handed to the skip
// callback with its first maxEntryChars characters, so memory stays bounded at any line
// length.

#include "entries/TextSink.h"

#include <QString>
#include <QStringView>

#include <functional>

enum class LineEnds { Window, Any };

struct LineRules {
    LineEnds lineEnds = LineEnds::Window;
    qsizetype maxEntryChars = 0; // 0: no bound
};

class EntryStream : public TextSink {
public:
    using Add = std::function<void(QStringView entry)>;
    using Skip = std::function<void(QStringView start)>;

    explicit EntryStream(Add add, LineRules rules = {}, Skip skip = {});

    // The next piece of text; a line may run on into the next piece.
    void feed(QStringView text) override;
    // The end of the text: the last line, unless the text ended with its line end.
    void finish() override;

    // A line (tabs removed) shaped as an entry: padded to five characters when shorter,
    // upper-cased and trimmed. The view points into line or into buffer.
    static QStringView shape(QStringView line, QString& buffer);

private:
    void keep(QStringView run);
    void endPiece();
    void endLine();
    void hand(QStringView entry);

    Add add_;
    LineRules rules_;
    Skip skip_;
    QString piece_;            // the current piece of the current line, tabs removed
    QString shaped_;           // reused for padded or upper-cased entries
    bool lineStarted_ = false; // anything since the last line end (even a lone tab)
    bool afterCarriageReturn_ = false;
    bool overLong_ = false; // the current line ran past maxEntryChars
};
