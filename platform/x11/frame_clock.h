// Tick pacing on the monotonic clock: one tick per period, deadlines laid on a
// fixed grid so that small delays do not accumulate, and a tick that comes a
// whole period late is not followed by a burst of catch-up ticks.
#pragma once

#include <cstdint>

namespace lunabrelle::x11 {

// Nanoseconds of CLOCK_MONOTONIC.
std::int64_t monotonic_ns();

struct FrameClock {
    std::int64_t period_ns = 1'000'000'000 / 60;
    std::int64_t deadline_ns = 0;  // when the next tick is due

    // The first tick is due at now.
    void start(std::int64_t now_ns) { deadline_ns = now_ns; }

    bool due(std::int64_t now_ns) const { return now_ns >= deadline_ns; }

    // After a tick at now: the next deadline is one period after the last one;
    // when that is already past, the grid restarts one period after now.
    void advance(std::int64_t now_ns);

    // Nanoseconds to wait before the next deadline: 0 when due, at most max_ns.
    std::int64_t wait_ns(std::int64_t now_ns, std::int64_t max_ns) const;
};

}  // namespace lunabrelle::x11
