#pragma once
// Where ListFileStream hands the decoded text of a list: piece by piece, then its end.
// EntryStream makes entries of it, one a line; TableRecordStream makes records of a csv
// or tsv table.

#include <QStringView>

class TextSink {
public:
    virtual ~TextSink() = default;
    // The next piece of text; a line may run on into the next piece.
    virtual void feed(QStringView text) = 0;
    // The end of the text.
    virtual void finish() = 0;
};
