#include <gtest/gtest.h>

#include <cstdint>

#include "platform/render/virtual_clock.h"
#include "platform/system/system.h"

namespace {

using namespace lunabrelle;

class VirtualClockTest : public ::testing::Test {
protected:
    void SetUp() override { install_virtual_clock(); }
    void TearDown() override { remove_virtual_clock(); }
};

// The seam reads whole seconds and microseconds 0 .. 999999 on both sides of
// the epoch, and follows the clock backwards as well as forwards.
TEST_F(VirtualClockTest, SeamReadsWhatWasSetEitherSideOfTheEpoch) {
    set_virtual_time(INT64_C(1798761600) * 1000000 + 250000);
    EXPECT_EQ(platform::wall_clock().seconds, 1798761600);
    EXPECT_EQ(platform::wall_clock().microseconds, 250000);
    EXPECT_EQ(platform::calendar_time(), 1798761600);

    set_virtual_time(-1);
    EXPECT_EQ(platform::wall_clock().seconds, -1);
    EXPECT_EQ(platform::wall_clock().microseconds, 999999);
    set_virtual_time(-2000000);
    EXPECT_EQ(platform::wall_clock().seconds, -2);
    EXPECT_EQ(platform::wall_clock().microseconds, 0);

    set_virtual_time(3600000000);
    advance_virtual_time(-3600000001);
    EXPECT_EQ(virtual_time(), -1);
    EXPECT_EQ(platform::calendar_time(), -1);
}

TEST_F(VirtualClockTest, RemovedClockGivesTheRealTimeBack) {
    set_virtual_time(0);
    remove_virtual_clock();
    EXPECT_GT(platform::calendar_time(), 1700000000);
}

}  // namespace
