#include "platform/x11/fb_config_choice.h"

#include <gtest/gtest.h>

namespace lunabrelle::x11 {
namespace {

FbConfigTraits config(unsigned long visual, int visual_depth, bool doubled, int depth, int alpha = 0) {
    FbConfigTraits c;
    c.visual_id = visual;
    c.visual_depth = visual_depth;
    c.true_color = true;
    c.rgba = true;
    c.window_bit = true;
    c.double_buffered = doubled;
    c.red = c.green = c.blue = 8;
    c.alpha = alpha;
    c.depth = depth;
    return c;
}

TEST(FbConfigChoice, AGivenWindowKeepsItsVisual) {
    // A better configuration on another visual must not be taken.
    const std::vector<FbConfigTraits> configs = {config(0x21, 24, true, 24), config(0x22, 24, false, 0)};
    EXPECT_EQ(choose_config_for_visual(configs, 0x22), 1);
    EXPECT_EQ(choose_config_for_visual(configs, 0x99), -1);
}

TEST(FbConfigChoice, AGivenWindowIsDoubleBufferedWhenItsVisualAllows) {
    const std::vector<FbConfigTraits> configs = {config(0x21, 24, false, 24), config(0x21, 24, true, 24),
                                                 config(0x21, 24, false, 24)};
    EXPECT_EQ(choose_config_for_visual(configs, 0x21), 1);
}

TEST(FbConfigChoice, ASingleBufferedVisualGivesASingleBufferedConfig) {
    const std::vector<FbConfigTraits> configs = {config(0x21, 24, true, 24), config(0x23, 24, false, 24)};
    const int chosen = choose_config_for_visual(configs, 0x23);
    ASSERT_EQ(chosen, 1);
    EXPECT_FALSE(configs[chosen].double_buffered);
}

TEST(FbConfigChoice, ADepthBufferIsPreferred) {
    const std::vector<FbConfigTraits> configs = {config(0x21, 24, true, 0), config(0x21, 24, true, 16),
                                                 config(0x21, 24, true, 32), config(0x21, 24, true, 24)};
    EXPECT_EQ(choose_config_for_visual(configs, 0x21), 3);
}

TEST(FbConfigChoice, ConfigurationsThatCannotDrawInAWindowAreSkipped) {
    std::vector<FbConfigTraits> configs = {config(0x21, 24, true, 24), config(0x21, 24, false, 24)};
    configs[0].window_bit = false;
    EXPECT_EQ(choose_config_for_visual(configs, 0x21), 1);
    configs[1].rgba = false;
    EXPECT_EQ(choose_config_for_visual(configs, 0x21), -1);
}

TEST(FbConfigChoice, AnOwnWindowAvoidsAVisualWithAlpha) {
    // The 32-bit visual would let a compositor show through the cleared alpha.
    const std::vector<FbConfigTraits> configs = {config(0x50, 32, true, 24, 8), config(0x21, 24, false, 24),
                                                 config(0x22, 24, true, 24)};
    EXPECT_EQ(choose_own_window_config(configs, 24), 2);
}

TEST(FbConfigChoice, AnOwnWindowTakesWhatThereIsWhenNothingBetterExists) {
    std::vector<FbConfigTraits> configs = {config(0x50, 32, true, 24, 8), config(0x21, 24, false, 24)};
    EXPECT_EQ(choose_own_window_config(configs, 24), 0);
    configs[0].red = 5;  // 16-bit colour is not enough
    EXPECT_EQ(choose_own_window_config(configs, 24), 1);
    configs[1].true_color = false;
    EXPECT_EQ(choose_own_window_config(configs, 24), -1);
}

}  // namespace
}  // namespace lunabrelle::x11
