#pragma once
// Yields of the long commands, throttled by time: a command asks due() in its loop and,
// when it is, updates the progress bar and yields. The window thus repaints and takes
// input every few milliseconds without paying for a yield per row.

#include "core/Pacing.h"
#include "core/Platform.h"

#include <cstdint>
#include <functional>

class EventPump : public Pacing {
public:
    static constexpr std::int64_t defaultIntervalMs = 15;

    explicit EventPump(Platform& platform, std::int64_t intervalMs = defaultIntervalMs);

    // True when the last yield lies at least the interval back (always before the first).
    bool due() override;
    // Lets the window handle pending events. Throws WindowClosed once the window is closed.
    void yield() override;
    // Runs a blocking piece of work (packing a file, flushing it to disk) on a worker thread
    // and keeps yielding until it is done. The work must not touch the window's state.
    // Rethrows what the work threw; on WindowClosed waits for the work before unwinding.
    void runBeside(const std::function<void()>& work) override;

private:
    Platform& platform_;
    std::int64_t intervalMs_;
    std::int64_t lastYieldMs_ = 0;
    bool yielded_ = false;
};
