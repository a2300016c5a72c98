#include "platform/x11/frame_clock.h"

#include <gtest/gtest.h>

namespace lunabrelle::x11 {
namespace {

constexpr std::int64_t kMs = 1'000'000;

TEST(FrameClock, SmallDelaysDoNotAccumulate) {
    FrameClock clock;
    clock.period_ns = 16 * kMs;
    clock.start(0);
    // Every tick runs 3 ms after its deadline; the deadlines stay on the grid.
    for (int i = 0; i < 100; ++i) {
        const std::int64_t now = clock.deadline_ns + 3 * kMs;
        ASSERT_TRUE(clock.due(now));
        clock.advance(now);
    }
    EXPECT_EQ(clock.deadline_ns, 100 * 16 * kMs);
}

TEST(FrameClock, ALateTickIsNotFollowedByABurst) {
    FrameClock clock;
    clock.period_ns = 16 * kMs;
    clock.start(0);
    clock.advance(0);  // next due at 16 ms
    // A stall: the tick due at 16 ms runs at 100 ms.
    ASSERT_TRUE(clock.due(100 * kMs));
    clock.advance(100 * kMs);
    EXPECT_EQ(clock.deadline_ns, 116 * kMs);
    EXPECT_FALSE(clock.due(101 * kMs));
}

TEST(FrameClock, WaitsUntilTheDeadlineAndNoLonger) {
    FrameClock clock;
    clock.period_ns = 16 * kMs;
    clock.start(10 * kMs);
    EXPECT_EQ(clock.wait_ns(10 * kMs, 1000 * kMs), 0);
    clock.advance(10 * kMs);
    EXPECT_EQ(clock.wait_ns(12 * kMs, 1000 * kMs), 14 * kMs);
    EXPECT_EQ(clock.wait_ns(12 * kMs, 5 * kMs), 5 * kMs);
    EXPECT_EQ(clock.wait_ns(40 * kMs, 1000 * kMs), 0);
}

TEST(FrameClock, MonotonicClockDoesNotGoBack) {
    const std::int64_t a = monotonic_ns();
    const std::int64_t b = monotonic_ns();
    EXPECT_GE(b, a);
}

}  // namespace
}  // namespace lunabrelle::x11
