// Two savers started in the same second (two screens) get different seeds.
#include <gtest/gtest.h>

#include <set>

#include "platform/system/system.h"

TEST(FreshSeed, SeedsTakenTogetherDiffer) {
    std::set<unsigned> seeds;
    for (int i = 0; i < 8; ++i) seeds.insert(platform::random_seed());
    EXPECT_EQ(seeds.size(), 8u);
}
