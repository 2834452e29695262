#pragma once
// Every output of the converter (-o FILE, standard output, --unmatched FILE), whatever its
// format: bytes gathered and written in large pieces, on a thread of their own, into an
// OutputTarget, so that converting and the kernel's copy run on both cores at once. A file
// is put in place only at commit(): a run that fails leaves an old one whole. It is a
// QIODevice too, for the writers that write into a device (the aligned text), and lends
// its target to the one that writes a file by name (the workbook).

#include "cli/BackgroundWriter.h"
#include "core/AppError.h"
#include "output/OutputTarget.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <exception>
#include <string>

// A write that failed; brokenPipe when the reader went away (| head), which is no error.
class OutputFailure : public AppError {
public:
    OutputFailure(const QString& message, bool readerGone)
        : AppError(message)
        , brokenPipe(readerGone) {}
    bool brokenPipe;
};

class BufferedOutput : public QIODevice {
    Q_OBJECT
public:
    // "-": standard output. Throws AppError when the file cannot be made.
    explicit BufferedOutput(const QString& path);

    // Throws OutputFailure for an earlier piece that could not be written.
    void append(QByteArrayView bytes) {
        pending_.append(bytes.data(), std::size_t(bytes.size()));
        if (pending_.size() >= flushBytes)
            flush();
    }
    // Writes what is pending and puts the file in place. Throws OutputFailure.
    void commit();
    QString name() const { return target_.name(); }
    // For a writer that opens the output by its path; nothing is appended meanwhile.
    const OutputTarget& target() const { return target_; }
    // After a write through the device failed: throws that failure as it came, so that a
    // closed pipe stays a closed pipe. Returns when there was none.
    void rethrowDeviceFailure() const;

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    static constexpr std::size_t flushBytes = 1 << 20;
    void flush();
    void writePiece(std::string_view bytes); // on the writer's thread

    OutputTarget target_;
    std::string pending_; // keeps its capacity when cleared, unlike QByteArray
    std::exception_ptr deviceFailure_;
    // Last: its thread stops, after the piece in flight, before the target is cancelled.
    BackgroundWriter writer_{[this](std::string_view bytes) { writePiece(bytes); }};
};
