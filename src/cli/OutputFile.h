#pragma once
// Where the converter's text goes: a file named with -o, written beside its target and
// put in place only when complete (an old file stays whole on any failure), or standard
// output. A device (/dev/null) is written in place: renaming over it would replace it.
// Bytes are gathered and written in large pieces, on a thread of their own.

#include "cli/BackgroundWriter.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <memory>
#include <stdexcept>
#include <string>

// A write that failed; brokenPipe when the reader went away (| head), which is no error.
class OutputFailure : public std::runtime_error {
public:
    OutputFailure(const QString& message, bool brokenPipe)
        : std::runtime_error(message.toStdString())
        , brokenPipe(brokenPipe) {}
    bool brokenPipe;
};

class OutputFile {
public:
    // path empty: standard output. Throws OutputFailure when the file cannot be made.
    explicit OutputFile(const QString& path);

    void append(QByteArrayView bytes) {
        pending_.append(bytes.data(), std::size_t(bytes.size()));
        if (pending_.size() >= flushBytes)
            flush();
    }
    // Writes what is pending and puts the file in place. Throws OutputFailure.
    void commit();
    QString name() const { return name_; }

private:
    static constexpr std::size_t flushBytes = 1 << 20;
    void flush();
    void write(std::string_view bytes); // on the writer's thread
    void writeToStandardOutput(std::string_view bytes);

    QString name_;
    std::unique_ptr<QFileDevice> file_;
    std::string pending_; // keeps its capacity when cleared, unlike QByteArray
    BackgroundWriter writer_{[this](std::string_view bytes) { write(bytes); }};
};
