#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "overlays/overlay_time.h"
#include "platform/system/system.h"
#include "support/virtual_clock.h"

namespace {

using lunabrelle::test::VirtualClock;

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

// Repeated reads within a second share one conversion; any other second,
// earlier or later, converts afresh, and so does the first read after a
// failed conversion.
TEST(OverlayTime, EveryReadShowsTheClocksSecond) {
    platform::install_clock(
        [] { return platform::WallClock{std::numeric_limits<std::int64_t>::max(), 0}; });
    refresh_local_time();
    VirtualClock clock;
    clock.set(2026, 3, 1, 7, 30, 59);
    refresh_local_time();
    refresh_local_time();
    EXPECT_EQ(cur_time->tm_min, 30);
    EXPECT_EQ(cur_time->tm_sec, 59);
    clock.set(2026, 3, 1, 7, 31, 0);
    refresh_local_time();
    EXPECT_EQ(cur_time->tm_min, 31);
    EXPECT_EQ(cur_time->tm_sec, 0);
    clock.set(2025, 12, 31, 23, 59, 58);
    refresh_local_time();
    EXPECT_EQ(cur_time->tm_year, 125);
    EXPECT_EQ(cur_time->tm_sec, 58);
    EXPECT_EQ(time_sec, platform::calendar_time());
}

}  // namespace
