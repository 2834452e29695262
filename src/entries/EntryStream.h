#pragma once
// Shapes the text of a list file into entries as it arrives, piece by piece, so that a
// list of any size is read without holding it whole. The rules are those of the list
// file import (see ListFileReader.h): CR LF, CR alone and the end of the text end a line
// (a final CR LF adds no line); a line feed alone splits a line, every piece but the
// last added trimmed only; tabs are removed; the last piece is padded to five
// characters when shorter, upper-cased and trimmed.

#include <QString>
#include <QStringView>

#include <functional>

class EntryStream {
public:
    using Add = std::function<void(QStringView entry)>;

    explicit EntryStream(Add add);

    // The next piece of text; a line may run on into the next piece.
    void feed(QStringView text);
    // The end of the text: the last line, unless the text ended with its line end.
    void finish();

private:
    void endPiece();
    void endLine();
    void addPaddedUpper(QStringView line);

    Add add_;
    QString piece_;            // the current piece of the current line, tabs removed
    QString shaped_;           // reused for padded or upper-cased entries
    bool lineStarted_ = false; // anything since the last line end (even a lone tab)
    bool afterCarriageReturn_ = false;
};
