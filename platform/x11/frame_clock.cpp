#include "platform/x11/frame_clock.h"

#include <time.h>

namespace lunabrelle::x11 {

std::int64_t monotonic_ns() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void FrameClock::advance(std::int64_t now_ns) {
    deadline_ns += period_ns;
    if (deadline_ns <= now_ns) deadline_ns = now_ns + period_ns;
}

std::int64_t FrameClock::wait_ns(std::int64_t now_ns, std::int64_t max_ns) const {
    const std::int64_t left = deadline_ns - now_ns;
    if (left <= 0) return 0;
    return left < max_ns ? left : max_ns;
}

}  // namespace lunabrelle::x11
