#include <gtest/gtest.h>

#include <cstdint>

#include "platform/system/system.h"
#include "support/virtual_clock.h"

namespace {

std::int64_t now_us() {
    const platform::WallClock now = platform::wall_clock();
    EXPECT_GE(now.microseconds, 0);
    EXPECT_LT(now.microseconds, 1'000'000);
    return now.seconds * 1'000'000 + now.microseconds;
}

TEST(VirtualClock, FramesFallOnA60HzGridWithoutDrift) {
    constexpr std::int64_t start = 1'700'000'000'999'990;  // a second boundary 10 us ahead
    lunabrelle::bench::install_virtual_clock(start);
    EXPECT_EQ(now_us(), start);
    lunabrelle::bench::set_virtual_frame(1);
    EXPECT_EQ(now_us(), start + 16'667);
    lunabrelle::bench::set_virtual_frame(60);
    EXPECT_EQ(now_us(), start + 1'000'000);
    lunabrelle::bench::set_virtual_frame(60 * 3600);
    EXPECT_EQ(now_us(), start + 3'600'000'000);
    EXPECT_EQ(platform::calendar_time(), (start + 3'600'000'000) / 1'000'000);
    platform::install_clock(nullptr);
}

}  // namespace
