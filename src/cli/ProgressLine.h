#pragma once
// The progress of a conversion on a terminal: a bar (when the input's size is known),
// entries per second and the time left, redrawn in place at most ten times a second.

#include <QElapsedTimer>
#include <QString>

#include <cstdint>

class ProgressLine {
public:
    // Draws only when enabled (standard error is a terminal and --quiet was not given).
    explicit ProgressLine(bool enabled);
    ~ProgressLine();

    // done and size in bytes of the input read so far (size 0: unknown).
    void update(std::int64_t entries, std::int64_t done, std::int64_t size);
    // Clears the line, so that what follows starts on a clean one.
    void clear();

    static QString text(std::int64_t entries, double seconds, std::int64_t done, std::int64_t size);

private:
    bool enabled_;
    bool drawn_ = false;
    QElapsedTimer clock_;
    std::int64_t lastDrawMs_ = -1000;
};
