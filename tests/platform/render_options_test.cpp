#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/render/render_options.h"

namespace {

using lunabrelle::RenderOptions;

struct Parsed {
    bool ok = false;
    RenderOptions options;
    std::string error;
};

Parsed parse(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"lunabrelle-render"};
    argv.insert(argv.end(), args);
    Parsed p;
    p.ok = lunabrelle::parse_render_options(static_cast<int>(argv.size()), argv.data(), &p.options,
                                            &p.error);
    return p;
}

class RenderOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) old_tz_ = tz, had_tz_ = true;
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    void TearDown() override {
        if (had_tz_)
            setenv("TZ", old_tz_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    std::string old_tz_;
    bool had_tz_ = false;
};

TEST_F(RenderOptionsTest, DefaultsWithOnlyAnOutput) {
    const Parsed p = parse({"--out", "x.png"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.width, 1280);
    EXPECT_EQ(p.options.height, 720);
    EXPECT_DOUBLE_EQ(p.options.fps, 60.0);
    EXPECT_EQ(p.options.frames, 1);
    EXPECT_FALSE(p.options.has_start);
    EXPECT_FALSE(p.options.has_seed);
    EXPECT_EQ(p.options.out, "x.png");
    EXPECT_TRUE(p.options.out_dir.empty());
}

TEST_F(RenderOptionsTest, EveryOptionInBothSpellings) {
    const Parsed p = parse({"--size", "320x240", "--at=2024-02-29 23:59:58", "--fps", "30",
                            "--frames=5", "--seed", "4294967295", "--resources", "/r",
                            "--config=/c.cfg", "--out-dir", "frames", "--every", "2"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.width, 320);
    EXPECT_EQ(p.options.height, 240);
    EXPECT_TRUE(p.options.has_start);
    EXPECT_EQ(p.options.start, std::time_t{1709251198});
    EXPECT_DOUBLE_EQ(p.options.fps, 30.0);
    EXPECT_EQ(p.options.frames, 5);
    EXPECT_TRUE(p.options.has_seed);
    EXPECT_EQ(p.options.seed, 4294967295u);
    EXPECT_EQ(p.options.resources, "/r");
    EXPECT_EQ(p.options.config, "/c.cfg");
    EXPECT_EQ(p.options.out_dir, "frames");
    EXPECT_EQ(p.options.every, 2);
}

TEST_F(RenderOptionsTest, SecondsBecomeFramesAtTheFrameRate) {
    EXPECT_EQ(parse({"--out", "x.png", "--seconds", "2"}).options.frames, 120);
    // The rate may come after the duration.
    EXPECT_EQ(parse({"--seconds", "1.5", "--out", "x.png", "--fps", "10"}).options.frames, 15);
    // A moment shorter than one frame still draws one.
    EXPECT_EQ(parse({"--out", "x.png", "--seconds", "0.001"}).options.frames, 1);
    EXPECT_FALSE(parse({"--out", "x.png", "--seconds", "1", "--frames", "3"}).ok);
    EXPECT_FALSE(parse({"--out", "x.png", "--seconds", "1e300"}).ok);
}

TEST_F(RenderOptionsTest, RefusesBadSizes) {
    for (const char* size : {"320", "x240", "320x", "0x240", "320x0", "-1x5", "320x240x2",
                             "16385x1", "320 x240", "1e3x5", "99999999999x1"})
        EXPECT_FALSE(parse({"--out", "x.png", "--size", size}).ok) << size;
    EXPECT_TRUE(parse({"--out", "x.png", "--size", "16384x1"}).ok);
}

TEST_F(RenderOptionsTest, RefusesBadNumbers) {
    for (const char* fps : {"0", "-60", "nan", "inf", "1001", "60fps", ""})
        EXPECT_FALSE(parse({"--out", "x.png", "--fps", fps}).ok) << fps;
    for (const char* frames : {"0", "-3", "2.5", "100000001"})
        EXPECT_FALSE(parse({"--out", "x.png", "--frames", frames}).ok) << frames;
    EXPECT_FALSE(parse({"--out", "x.png", "--seed", "4294967296"}).ok);
    EXPECT_FALSE(parse({"--out", "x.png", "--seed", "-1"}).ok);
    EXPECT_FALSE(parse({"--out-dir", "d", "--every", "0"}).ok);
}

TEST_F(RenderOptionsTest, RefusesTimesThatDoNotExist) {
    for (const char* at : {"2023-02-29 12:00:00", "2024-13-01 00:00:00", "2024-01-01 24:00:00",
                           "2024-01-01 12:60:00", "2024-01-01", "2024-01-01T12:00:00",
                           "2024-01-01 12:00:00 ", "24-01-01 12:00:00"})
        EXPECT_FALSE(parse({"--out", "x.png", "--at", at}).ok) << at;
}

TEST(LocalStartTime, RefusesTheHourSkippedByDaylightSaving) {
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    std::time_t t = 0;
    EXPECT_FALSE(lunabrelle::parse_local_time("2024-03-31 02:30:00", &t));
    ASSERT_TRUE(lunabrelle::parse_local_time("2024-03-31 03:30:00", &t));
    EXPECT_EQ(t, std::time_t{1711848600});
    unsetenv("TZ");
    tzset();
}

TEST_F(RenderOptionsTest, ReportsUsageFaults) {
    Parsed p = parse({"--out"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "--out needs a value");
    p = parse({"--out", "x.png", "--bogus"});
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.error.find("--bogus"), std::string::npos);
    EXPECT_FALSE(parse({}).ok);  // nothing to write
    EXPECT_FALSE(parse({"--out", "x.png", "--every", "2"}).ok);
    EXPECT_FALSE(parse({"--out", ""}).ok);
    // Help wins over everything after it.
    p = parse({"--help", "--bogus"});
    EXPECT_TRUE(p.ok);
    EXPECT_TRUE(p.options.help);
}

}  // namespace
