#include "EventPump.h"

#include "WindowClosed.h"

EventPump::EventPump(Platform& platform, std::int64_t intervalMs)
    : platform_(platform)
    , intervalMs_(intervalMs) {}

bool EventPump::due() {
    return !yielded_ || platform_.monotonicMilliseconds() - lastYieldMs_ >= intervalMs_;
}

void EventPump::yield() {
    if (platform_.windowClosed())
        throw WindowClosed{};
    platform_.processEvents();
    yielded_ = true;
    lastYieldMs_ = platform_.monotonicMilliseconds();
    if (platform_.windowClosed())
        throw WindowClosed{};
}
