#include "entries/ListFileStream.h"

#include "core/UnnamedFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// Windows-1252 from 0x80 to 0x9F; the other bytes are their Latin-1 code points.
constexpr std::array<char16_t, 32> cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// How many bytes of the run are `wanted`, eight at a time: a line count over every block
// of a file costs a small part of reading it.
qint64 countByte(const char* begin, const char* end, char wanted) {
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t pattern = 0x0101010101010101ULL * std::uint8_t(wanted);
    qint64 count = 0;
    for (; end - begin >= 8; begin += 8) {
        std::uint64_t word;
        std::memcpy(&word, begin, 8);
        const std::uint64_t x = word ^ pattern; // a zero byte where the byte is wanted
        const std::uint64_t found = ~(((x & low7) + low7) | x | low7) >> 7; // 1 per byte
        count += qint64((found * 0x0101010101010101ULL) >> 56);             // sums the eight bytes
    }
    return count + std::count(begin, end, wanted);
}

const char* firstNul(QByteArrayView block) {
    return static_cast<const char*>(std::memchr(block.data(), 0, std::size_t(block.size())));
}

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

// Decodes UTF-8 block by block, a sequence cut by a block's end joined to the next.
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

qsizetype asciiPrefix(QByteArrayView block) {
    qsizetype i = 0;
    while (i < block.size() && std::uint8_t(block[i]) < 0x80)
        ++i;
    return i;
}

// A file without a name in the temporary folder: gone when closed, also when the program
// is killed. Where the file system cannot make one, a named file removed on close.
std::unique_ptr<QFile> openSpool() {
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
    const UnnamedFile file =
        openUnnamedFile(folder, O_RDWR, 0600, folder + "/quellist-spool-XXXXXX");
    if (file.fd < 0)
        return nullptr;
    if (!file.named.isEmpty())
        ::unlink(file.named.constData()); // open until closed, nameless from now on
    auto spool = std::make_unique<QFile>();
    if (spool->open(file.fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle))
        return spool;
    ::close(file.fd);
    return nullptr;
}

} // namespace

QString ListFileStream::decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = std::uint8_t(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte <= 0x9F ? cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

ListFileStream::ListFileStream(LineRules rules, Skip skip)
    : rules_(rules)
    , skip_(std::move(skip)) {}

ListFileStream::Outcome ListFileStream::read(QIODevice& device, const Add& add,
                                             const Progress& progress) {
    EntryStream entries(add, rules_, skip_);
    return read(device, entries, progress);
}

ListFileStream::Outcome ListFileStream::read(QIODevice& device, TextSink& sink,
                                             const Progress& progress) {
    error_.clear();
    lineFeeds_ = carriageReturns_ = binaryLine_ = 0;
    const Outcome outcome = device.isSequential() ? readStream(device, sink, progress)
                                                  : readFile(device, sink, progress);
    if (outcome == Outcome::Read)
        sink.finish();
    return outcome;
}

// A NUL byte makes the list binary; the line it is on is kept for the message.
bool ListFileStream::isBinary(QByteArrayView block) {
    const char* nul = firstNul(block);
    const char* end = nul ? nul : block.data() + block.size();
    lineFeeds_ += countByte(block.data(), end, '\n');
    carriageReturns_ += countByte(block.data(), end, '\r');
    if (nul)
        binaryLine_ = std::max(lineFeeds_, carriageReturns_) + 1;
    return nul != nullptr;
}

// A file asks for what it has left (a small list allocates no megabyte), at least a page,
// so that a file that grows while it is read is still read to its new end.
bool ListFileStream::readBlock(QIODevice& device, QByteArray& block) {
    constexpr qint64 pageBytes = 4096;
    const qint64 wanted = device.isSequential()
                              ? blockBytes
                              : std::clamp(device.size() - device.pos(), pageBytes, blockBytes);
    block.resize(wanted);
    const qint64 got = device.read(block.data(), wanted);
    if (got < 0) {
        error_ = device.errorString();
        return false;
    }
    block.resize(got);
    return true;
}

ListFileStream::Outcome ListFileStream::readFile(QIODevice& device, TextSink& entries,
                                                 const Progress& progress) {
    Encoding encoding = Encoding::Utf8;
    if (const Outcome checked = checkWhole(device, encoding); checked != Outcome::Read)
        return checked;
    if (!device.seek(0)) {
        error_ = device.errorString();
        return Outcome::Failed;
    }
    return readBlocks(device, encoding, true, entries, progress);
}

// The first pass over a file: is it binary, and is all of it UTF-8?
ListFileStream::Outcome ListFileStream::checkWhole(QIODevice& device, Encoding& encoding) {
    Utf8Blocks utf8;
    QByteArray block;
    do {
        if (!readBlock(device, block))
            return Outcome::Failed;
        if (isBinary(block))
            return Outcome::Binary;
        utf8.decode(block);
    } while (!block.isEmpty());
    encoding = utf8.valid() ? Encoding::Utf8 : Encoding::Windows1252;
    return Outcome::Read;
}

ListFileStream::Outcome ListFileStream::readBlocks(QIODevice& device, Encoding encoding,
                                                   bool fromStart, TextSink& entries,
                                                   const Progress& progress) {
    Utf8Blocks utf8;
    QByteArray block;
    QString text;
    qint64 done = 0;
    for (bool first = fromStart;; first = false) {
        if (!readBlock(device, block))
            return Outcome::Failed;
        if (block.isEmpty())
            return Outcome::Read;
        done += block.size();
        text = encoding == Encoding::Utf8 ? utf8.decode(block) : decodeWindows1252(block);
        QStringView view(text);
        if (first && encoding == Encoding::Utf8 && view.startsWith(QChar(0xFEFF)))
            view = view.mid(1); // the mark would make the first entry unconvertible
        entries.feed(view);
        if (progress)
            progress(done, device.size());
    }
}

// A stream, converted as it arrives: its ASCII beginning at once, the rest through a spool.
ListFileStream::Outcome ListFileStream::readStream(QIODevice& device, TextSink& entries,
                                                   const Progress& progress) {
    QByteArray block;
    qint64 done = 0;
    std::unique_ptr<QFile> spool;
    Utf8Blocks utf8;
    for (;;) {
        if (!readBlock(device, block))
            return Outcome::Failed;
        if (block.isEmpty())
            break;
        if (isBinary(block))
            return Outcome::Binary;
        qsizetype ascii = 0;
        if (!spool) {
            ascii = asciiPrefix(block);
            entries.feed(QString::fromLatin1(QByteArrayView(block).first(ascii)));
            if (ascii < block.size() && !(spool = openSpool())) {
                error_ = QStringLiteral("cannot make a temporary file in %1: %2")
                             .arg(QDir::tempPath(), QString::fromLocal8Bit(std::strerror(errno)));
                return Outcome::Failed;
            }
        }
        done += block.size();
        if (spool) {
            const QByteArrayView rest = QByteArrayView(block).sliced(ascii);
            utf8.decode(rest); // only its validity counts here
            if (spool->write(rest.data(), rest.size()) != rest.size()) {
                error_ = spool->errorString();
                return Outcome::Failed;
            }
        }
        if (progress)
            progress(done, 0);
    }
    if (!spool)
        return Outcome::Read;
    const bool fromStart = spool->size() == done;
    if (!spool->seek(0)) {
        error_ = spool->errorString();
        return Outcome::Failed;
    }
    return readBlocks(*spool, utf8.valid() ? Encoding::Utf8 : Encoding::Windows1252, fromStart,
                      entries, {});
}
