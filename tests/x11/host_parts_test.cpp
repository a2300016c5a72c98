// The X11 host's parts that need no display: its command line, its pacing,
// its choice of GL configuration and its check of the archives.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/x11/archive_check.h"
#include "platform/x11/fb_config_choice.h"
#include "platform/x11/frame_clock.h"
#include "platform/x11/options.h"
#include "support/temp_folder.h"

namespace lunabrelle::x11 {
namespace {

TEST(Options, TargetsWindowIdsAndFlagsInEitherSpelling) {
    const struct { std::vector<std::string> args; Target target; unsigned long id; bool fps; } cases[] = {
        {{}, Target::own_window, 0, false},
        {{"-root", "--fps"}, Target::root, 0, true},
        {{"--root", "-fps"}, Target::root, 0, true},
        {{"-window", "-root"}, Target::root, 0, false},
        {{"-window-id", "0x1200007", "-root"}, Target::window_id, 0x1200007, false},
        {{"--root", "--window-id", "42"}, Target::window_id, 42, false},
        {{"-window-id", "0X2aBc"}, Target::window_id, 0x2abc, false},
        {{"--window-id=0x400001"}, Target::window_id, 0x400001, false},
        {{"-window-id", "0xFFFFFFFF"}, Target::window_id, 0xFFFFFFFF, false},
        {{"-window-id", "4294967295"}, Target::window_id, 0xFFFFFFFF, false}};
    for (const auto& c : cases) {
        const Options o = parse_options(c.args);
        SCOPED_TRACE(c.args.empty() ? "" : c.args.back());
        EXPECT_EQ(o.error, "");
        EXPECT_EQ(o.target, c.target);
        if (c.target == Target::window_id) {
            EXPECT_EQ(o.window_id, c.id);
        }
        EXPECT_EQ(o.show_fps.value_or(false), c.fps);
    }
    EXPECT_TRUE(parse_options({"-help"}).help && parse_options({"--help"}).help);
    EXPECT_TRUE(parse_options({"--settings"}).settings);
    EXPECT_EQ(parse_options({"--display=:3.0"}).display, ":3.0");
    EXPECT_EQ(parse_options({"-display", ":7"}).display, ":7");
}

TEST(Options, RefusesWhatCannotBeMeant) {
    for (const char* bad : {"", "0", "0x", "0x0", "-5", "+5", " 5", "5 ", "12ab", "0xfg", "4294967296",
                            "0x100000000", "99999999999999999999999"})
        EXPECT_NE(parse_options({"-window-id", bad}).error, "") << '"' << bad << '"';
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"-window-id"}, {"-display"}, {"-bogus"}, {"---root"}, {"root"},
                                               {"-"}, {"--"}, {"-root=1"}, {"--settings=yes"}})
        EXPECT_NE(parse_options(bad).error, "") << bad[0];
    EXPECT_NE(parse_options({"-fps", "-nope"}).error.find("-nope"), std::string::npos);
    const std::string text = usage("lunabrelle");
    for (const char* option : {"-root", "-window-id", "-window", "-fps", "-display", "-settings", "-help"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

TEST(FrameClock, KeepsItsGridThroughSmallDelaysAndSkipsAfterAStall) {
    constexpr std::int64_t kMs = 1'000'000;
    FrameClock clock;
    clock.period_ns = 16 * kMs;
    clock.start(0);
    for (int i = 0; i < 100; ++i) {  // every tick 3 ms late
        const std::int64_t now = clock.deadline_ns + 3 * kMs;
        ASSERT_TRUE(clock.due(now));
        clock.advance(now);
    }
    EXPECT_EQ(clock.deadline_ns, 100 * 16 * kMs);
    clock.advance(5000 * kMs);  // a stall: no burst after it
    EXPECT_EQ(clock.deadline_ns, 5016 * kMs);
    EXPECT_FALSE(clock.due(5001 * kMs));
    EXPECT_EQ(clock.wait_ns(5002 * kMs, 1000 * kMs), 14 * kMs);
    EXPECT_EQ(clock.wait_ns(5002 * kMs, 5 * kMs), 5 * kMs);
    EXPECT_EQ(clock.wait_ns(5040 * kMs, 1000 * kMs), 0);
    const std::int64_t a = monotonic_ns();
    EXPECT_GE(monotonic_ns(), a);
}

FbConfigTraits config(unsigned long visual, int visual_depth, bool doubled, int depth, int alpha = 0) {
    FbConfigTraits c;
    c.visual_id = visual;
    c.visual_depth = visual_depth;
    c.true_color = c.rgba = c.window_bit = true;
    c.double_buffered = doubled;
    c.red = c.green = c.blue = 8;
    c.alpha = alpha;
    c.depth = depth;
    return c;
}

TEST(FbConfigChoice, AGivenWindowKeepsItsVisualAndGetsTheBestConfigOnIt) {
    const struct { std::vector<FbConfigTraits> configs; unsigned long visual; int chosen; } cases[] = {
        {{config(0x21, 24, true, 24), config(0x22, 24, false, 0)}, 0x22, 1},  // not a better one elsewhere
        {{config(0x21, 24, true, 24)}, 0x99, -1},
        {{config(0x21, 24, false, 24), config(0x21, 24, true, 24), config(0x21, 24, false, 24)}, 0x21, 1},
        {{config(0x21, 24, true, 0), config(0x21, 24, true, 16), config(0x21, 24, true, 32), config(0x21, 24, true, 24)},
         0x21, 3}};
    for (const auto& c : cases) EXPECT_EQ(choose_config_for_visual(c.configs, c.visual), c.chosen) << c.visual;
    std::vector<FbConfigTraits> configs = {config(0x21, 24, true, 24), config(0x21, 24, false, 24)};
    configs[0].window_bit = false;
    EXPECT_EQ(choose_config_for_visual(configs, 0x21), 1);
    configs[1].rgba = false;
    EXPECT_EQ(choose_config_for_visual(configs, 0x21), -1);
}

TEST(FbConfigChoice, AnOwnWindowAvoidsAlphaVisualsButTakesWhatThereIs) {
    // A 32-bit visual would let a compositor show through the cleared alpha.
    std::vector<FbConfigTraits> configs = {config(0x50, 32, true, 24, 8), config(0x21, 24, false, 24),
                                           config(0x22, 24, true, 24)};
    EXPECT_EQ(choose_own_window_config(configs, 24), 2);
    configs.pop_back();
    EXPECT_EQ(choose_own_window_config(configs, 24), 0);
    configs[0].red = 5;  // 16-bit colour is not enough
    EXPECT_EQ(choose_own_window_config(configs, 24), 1);
    configs[1].true_color = false;
    EXPECT_EQ(choose_own_window_config(configs, 24), -1);
}

TEST(ArchiveCheck, NamesTheFirstArchiveThatIsMissingOrNoFile) {
    for (const char* fault : {"", "clock.pak", "main.pak", "utils.pak"}) {
        SCOPED_TRACE(fault);
        test::TempFolder folder;
        for (const std::string& name : scene_archives())
            if (name != fault) std::ofstream(folder.file(name)) << std::string(4, '\0');  // empty archive
        // A folder in place of an archive cannot be read as one, even by root.
        if (std::string(fault) == "utils.pak") std::filesystem::create_directory(folder.file(fault));
        const std::string message = check_archives(folder.path().string());
        if (*fault == '\0')
            EXPECT_EQ(message, "");
        else
            EXPECT_NE(message.find(folder.file(fault)), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace lunabrelle::x11
