#pragma once
// The clock the long loops ask "is a yield due?" before every row. The precise monotonic
// clock costs tens of nanoseconds a call on virtual machines, a quarter of the time of a
// clipboard copy; the coarse one is a plain memory read, exact to a few milliseconds, which
// is all a 15 ms yield interval or a progress line needs.

#include <cstdint>

namespace CoarseClock {

// Milliseconds since some fixed point in the past; never goes back.
std::int64_t milliseconds();

} // namespace CoarseClock
