#pragma once
// Reads a list file of any size into entries, a block at a time, with the rules of the
// list file import: UTF-8 when the whole file is valid UTF-8 (a byte-order mark at the
// start dropped), otherwise Windows-1252; a file holding NUL bytes is binary and gives
// no entries. A file that can be read twice is checked first and then read in blocks;
// one that cannot (a pipe) is read whole.

#include <QIODevice>
#include <QString>

#include <functional>

class ListFileStream {
public:
    enum class Outcome { Read, Binary, Failed };
    using Add = std::function<void(QStringView entry)>;
    // Bytes read so far of the pass that gives the entries, and the device's size (0 when
    // unknown), after every block.
    using Progress = std::function<void(qint64 done, qint64 size)>;

    static constexpr qint64 blockBytes = 1 << 20;

    // Reads the open device to its end. On Failed, error() says why.
    Outcome read(QIODevice& device, const Add& add, const Progress& progress = {});
    QString error() const { return error_; }

private:
    enum class Encoding { Utf8, Windows1252 };
    bool checkWhole(QIODevice& device, Encoding& encoding, bool& binary);
    Outcome readBlocks(QIODevice& device, Encoding encoding, const Add& add,
                       const Progress& progress);
    Outcome readWhole(QIODevice& device, const Add& add);
    bool readBlock(QIODevice& device, QByteArray& block);

    QString error_;
};
