#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "overlays/overlay_time.h"
#include "platform/system/system.h"
#include "support/virtual_clock.h"

namespace {

using lunabrelle::test::VirtualClock;

TEST(OverlayTime, FollowsTheInstalledClock) {
    VirtualClock clock;
    clock.set(2026, 12, 5, 9, 59, 58, 999);
    refresh_local_time();
    ASSERT_NE(cur_time, nullptr);
    EXPECT_EQ(time_sec, VirtualClock::now_ms / 1000);
    EXPECT_EQ(cur_time->tm_hour, 9);
    EXPECT_EQ(cur_time->tm_min, 59);
    EXPECT_EQ(cur_time->tm_sec, 58);
    clock.advance_ms(1);
    refresh_local_time();
    EXPECT_EQ(cur_time->tm_sec, 59);
}

TEST(OverlayTime, FailedConversionKeepsThePreviousTime) {
    VirtualClock clock;
    clock.set(2026, 3, 1, 7, 30, 0);
    refresh_local_time();
    // A calendar time beyond any representable year cannot be broken down.
    platform::install_clock(
        [] { return platform::WallClock{std::numeric_limits<std::int64_t>::max(), 0}; });
    refresh_local_time();
    ASSERT_NE(cur_time, nullptr);
    EXPECT_EQ(cur_time->tm_year, 126);
    EXPECT_EQ(cur_time->tm_mday, 1);
    EXPECT_EQ(cur_time->tm_hour, 7);
    EXPECT_EQ(cur_time->tm_min, 30);
}

}  // namespace
