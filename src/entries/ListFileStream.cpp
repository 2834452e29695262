#include "entries/ListFileStream.h"

#include "entries/EntryStream.h"
#include "entries/ListFileReader.h"

#include <QStringDecoder>

namespace {

// How many bytes of the block end on a whole UTF-8 sequence: a sequence cut by the block's
// end waits for the next block.
qsizetype wholeSequences(QByteArrayView block) {
    const qsizetype size = block.size();
    for (qsizetype back = 1; back <= std::min<qsizetype>(3, size); ++back) {
        const auto byte = std::uint8_t(block[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead
        const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

// Decodes UTF-8 block by block with the same decoder the whole-file import uses.
class Utf8Blocks {
public:
    QString decode(QByteArrayView block) {
        held_.append(block);
        const qsizetype whole = wholeSequences(held_);
        QString text = decoder_.decode(QByteArrayView(held_).first(whole));
        held_.remove(0, whole);
        return text;
    }
    // After the last block: true when every byte was valid UTF-8.
    bool valid() {
        // Bytes still held are a sequence cut off by the end of the file: not UTF-8.
        return held_.isEmpty() && !decoder_.hasError();
    }

private:
    QStringDecoder decoder_{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
    QByteArray held_;
};

} // namespace

ListFileStream::Outcome ListFileStream::read(QIODevice& device, const Add& add,
                                             const Progress& progress) {
    error_.clear();
    if (device.isSequential())
        return readWhole(device, add);
    Encoding encoding = Encoding::Utf8;
    bool binary = false;
    if (!checkWhole(device, encoding, binary))
        return Outcome::Failed;
    if (binary)
        return Outcome::Binary;
    if (!device.seek(0)) {
        error_ = device.errorString();
        return Outcome::Failed;
    }
    return readBlocks(device, encoding, add, progress);
}

bool ListFileStream::readBlock(QIODevice& device, QByteArray& block) {
    block.resize(blockBytes);
    const qint64 got = device.read(block.data(), blockBytes);
    if (got < 0) {
        error_ = device.errorString();
        return false;
    }
    block.resize(got);
    return true;
}

// The first pass: is it binary, and is all of it UTF-8?
bool ListFileStream::checkWhole(QIODevice& device, Encoding& encoding, bool& binary) {
    Utf8Blocks utf8;
    QByteArray block;
    do {
        if (!readBlock(device, block))
            return false;
        if (ListFileReader::looksBinary(block)) {
            binary = true;
            return true;
        }
        utf8.decode(block);
    } while (!block.isEmpty());
    encoding = utf8.valid() ? Encoding::Utf8 : Encoding::Windows1252;
    return true;
}

ListFileStream::Outcome ListFileStream::readBlocks(QIODevice& device, Encoding encoding,
                                                   const Add& add, const Progress& progress) {
    EntryStream entries(add);
    Utf8Blocks utf8;
    QByteArray block;
    QString text;
    qint64 done = 0;
    for (bool first = true;; first = false) {
        if (!readBlock(device, block))
            return Outcome::Failed;
        if (block.isEmpty())
            break;
        done += block.size();
        text = encoding == Encoding::Utf8 ? utf8.decode(block)
                                          : ListFileReader::decodeWindows1252(block);
        QStringView view(text);
        if (first && encoding == Encoding::Utf8 && view.startsWith(QChar(0xFEFF)))
            view = view.mid(1); // the mark would make the first entry unconvertible
        entries.feed(view);
        if (progress)
            progress(done, device.size());
    }
    entries.finish();
    return Outcome::Read;
}

ListFileStream::Outcome ListFileStream::readWhole(QIODevice& device, const Add& add) {
    const QByteArray bytes = device.readAll();
    if (ListFileReader::looksBinary(bytes))
        return Outcome::Binary;
    ListFileReader::forEachEntry(ListFileReader::decode(bytes), add);
    return Outcome::Read;
}
