#include "core/CoarseClock.h"

#include <ctime>

namespace CoarseClock {

std::int64_t milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace CoarseClock
