#pragma once
// entries: the one reader of list files, for the window's import and for quellist-convert.
//
// Reads a list of any size into entries, a block at a time, through EntryStream's rules.
// Bytes: UTF-8 when the whole list is valid UTF-8 (a byte-order mark at the start is
// dropped), otherwise Windows-1252, as lists made on Windows machines are. A list holding
// NUL bytes is binary.
//
// A file that can be read twice is checked whole first: a binary file gives no entries
// at all. A stream (a pipe) is converted as it arrives and refused at the first block
// that holds a NUL byte. Its encoding is decided without holding it: while every byte is
// ASCII, which reads the same in both encodings, entries go out at once; from the first
// other byte on, the rest is spooled to an unnamed temporary file, which the system
// removes however the program ends, and read from there once its end has told the
// encoding.

#include "entries/EntryStream.h"

#include <QIODevice>
#include <QString>

#include <functional>

class ListFileStream {
public:
    enum class Outcome { Read, Binary, Failed };
    using Add = EntryStream::Add;
    using Skip = EntryStream::Skip;
    // Bytes read so far of the pass that gives the entries, and the device's size (0 when
    // unknown), after every block.
    using Progress = std::function<void(qint64 done, qint64 size)>;

    static constexpr qint64 blockBytes = 1 << 20;

    explicit ListFileStream(LineRules rules = {}, Skip skip = {});

    // Reads the open device to its end. On Failed, error() says why.
    Outcome read(QIODevice& device, const Add& add, const Progress& progress = {});
    // The same, the decoded text handed to a sink of one's own (the line rules unused).
    // What the sink throws ends the reading and leaves this call.
    Outcome read(QIODevice& device, TextSink& sink, const Progress& progress = {});
    QString error() const { return error_; }
    // On Binary: the line that holds the first NUL byte, counted from 1.
    qint64 binaryLine() const { return binaryLine_; }

    // Bytes 0x80 to 0x9F as Windows-1252 has them, the others as their Latin-1 code points.
    static QString decodeWindows1252(QByteArrayView bytes);

private:
    enum class Encoding { Utf8, Windows1252 };
    Outcome readFile(QIODevice& device, TextSink& entries, const Progress& progress);
    Outcome readStream(QIODevice& device, TextSink& entries, const Progress& progress);
    Outcome checkWhole(QIODevice& device, Encoding& encoding);
    Outcome readBlocks(QIODevice& device, Encoding encoding, bool fromStart, TextSink& entries,
                       const Progress& progress);
    bool readBlock(QIODevice& device, QByteArray& block);
    bool isBinary(QByteArrayView block);

    LineRules rules_;
    Skip skip_;
    QString error_;
    // Line ends before the block being checked: LF and CR counted apart, so that a list of
    // LF, of CR LF or of CR alone counts its lines right without a look at their order.
    qint64 lineFeeds_ = 0;
    qint64 carriageReturns_ = 0;
    qint64 binaryLine_ = 0;
};
