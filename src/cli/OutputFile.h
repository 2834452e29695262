#pragma once
// A text output of the converter (-o FILE, standard output, --unmatched FILE) that is
// gathered and written in large pieces, on a thread of its own, into an OutputTarget:
// a file is put in place only at commit(), so a run that fails leaves an old one whole.

#include "cli/BackgroundWriter.h"
#include "core/AppError.h"
#include "output/OutputTarget.h"

#include <QByteArrayView>
#include <QString>

#include <string>

// A write that failed; brokenPipe when the reader went away (| head), which is no error.
class OutputFailure : public AppError {
public:
    OutputFailure(const QString& message, bool readerGone)
        : AppError(message)
        , brokenPipe(readerGone) {}
    bool brokenPipe;
};

class OutputFile {
public:
    // "-": standard output. Throws AppError when the file cannot be made.
    explicit OutputFile(const QString& path);

    void append(QByteArrayView bytes) {
        pending_.append(bytes.data(), std::size_t(bytes.size()));
        if (pending_.size() >= flushBytes)
            flush();
    }
    // Writes what is pending and puts the file in place. Throws OutputFailure.
    void commit();
    QString name() const { return target_.name(); }

private:
    static constexpr std::size_t flushBytes = 1 << 20;
    void flush();
    void write(std::string_view bytes); // on the writer's thread

    OutputTarget target_;
    std::string pending_; // keeps its capacity when cleared, unlike QByteArray
    // Last: its thread stops, after the piece in flight, before the target is cancelled.
    BackgroundWriter writer_{[this](std::string_view bytes) { write(bytes); }};
};
