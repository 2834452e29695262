#include "core/EventPump.h"

#include "core/WindowClosed.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

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

void EventPump::runBeside(const std::function<void()>& work) {
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    {
        std::jthread worker([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            done = true;
        });
        // At least one look at the clock: a yield that is due shows what the command set
        // before the wait (the bar at 100), however soon the work is done.
        do {
            if (due())
                yield(); // a WindowClosed thrown here joins the worker first
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (!done);
    }
    if (failure)
        std::rethrow_exception(failure);
}
