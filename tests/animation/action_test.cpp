// An action's lifetime, clocks and running flag, run directly with given frame
// times.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "animation/action.h"
#include "scene/coordin.h"

namespace {

struct Runs {
    int count = 0;
    Action* seen = nullptr;
};

void count_run(void* data) {
    auto* runs = static_cast<Runs*>(data);
    ++runs->count;
    runs->seen = Action_curent;
}

Action counting(double duration, Runs* runs) {
    Action a(1, true, duration);
    a.init(count_run, runs);
    return a;
}

TEST(Action, ZeroDurationNeverExpiresNegativeZeroToo) {
    for (double zero : {0.0, -0.0}) {
        Runs runs;
        Action a = counting(zero, &runs);
        EXPECT_TRUE(a.endless);
        for (int i = 0; i < 50; ++i) a.animate(1'000'000);
        EXPECT_FALSE(a.rip());
        EXPECT_EQ(runs.count, 50);
        EXPECT_EQ(a.elapsed, 5e7);
    }
}

TEST(Action, NegativeDurationRunsOnceEvenWithNoTimePassing) {
    Runs runs;
    Action a = counting(-1.0, &runs);
    EXPECT_FALSE(a.endless);
    a.animate(0);
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(runs.count, 1);
    EXPECT_EQ(runs.seen, &a);
    EXPECT_EQ(Action_curent, &a);
}

TEST(Action, ThousandMillisecondsOver400MillisecondFramesRunsThreeTimes) {
    Runs runs;
    Action a = counting(1000.0, &runs);
    a.animate(400);
    a.animate(400);
    EXPECT_FALSE(a.rip());
    a.animate(400);
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(runs.count, 3);
    EXPECT_EQ(a.elapsed, 1200.0);
    EXPECT_EQ(a.time, 1200.0);
}

TEST(Action, ExpiresOnTheFrameThatReachesTheDurationExactly) {
    Runs runs;
    Action a = counting(800.0, &runs);
    a.animate(400);
    EXPECT_FALSE(a.rip());
    a.animate(400);
    EXPECT_TRUE(a.rip());
}

TEST(Action, NotANumberDurationExpiresOnTheFirstRun) {
    Runs runs;
    Action a = counting(std::numeric_limits<double>::quiet_NaN(), &runs);
    EXPECT_FALSE(a.endless);
    a.animate(10);
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(runs.count, 1);
}

TEST(Action, StoppedActionNeitherAgesNorExpiresAndResumesWhereItStood) {
    Runs runs;
    Action a = counting(-1.0, &runs);
    a.stop();
    a.animate(500);
    EXPECT_FALSE(a.rip());
    EXPECT_EQ(a.elapsed, 0.0);
    EXPECT_EQ(a.time, 0.0);
    EXPECT_EQ(runs.count, 0);

    Action b = counting(1000.0, &runs);
    b.animate(600);
    b.stop();
    b.animate(600);
    b.start();
    EXPECT_EQ(b.elapsed, 600.0);
    b.animate(300);
    EXPECT_FALSE(b.rip());
    b.animate(100);
    EXPECT_TRUE(b.rip());
    EXPECT_EQ(runs.count, 3);
}

void rewind(void*) { Action_curent->time = 0.0; }

TEST(Action, FunctionsRewindTheirClockButNotTheLifetime) {
    Action a(1, true, 1000.0);
    a.init(rewind, nullptr);
    a.animate(600);
    a.animate(600);
    EXPECT_EQ(a.time, 0.0);
    EXPECT_EQ(a.elapsed, 1200.0);
    EXPECT_TRUE(a.rip());
}

TEST(Action, CopiesKeepTheirOwnClocks) {
    Runs runs;
    const Action tmpl = counting(0.0, &runs);
    Action a = tmpl, b = tmpl;
    a.animate(100);
    EXPECT_EQ(a.time, 100.0);
    EXPECT_EQ(b.time, 0.0);
    EXPECT_EQ(tmpl.elapsed, 0.0);
}

void nothing(void*) {}

TEST(Action, ParameterOverloadsClearDataAndKeepWhatTheyDoNotSet) {
    int token = 0;
    Action a(7, false, 0.0);
    EXPECT_EQ(a.get_id(), 7);
    EXPECT_FALSE(a.running);
    a.init(nothing, 2, 3, 1.5, 2.5, 3.5);
    a.init(nothing, &token);
    EXPECT_EQ(a.data, &token);
    EXPECT_EQ(a.ipar, 2);
    EXPECT_EQ(a.ipar2, 3);
    a.init(nothing, 9.0, 8.0, 7.0);
    EXPECT_EQ(a.data, nullptr);
    EXPECT_EQ(a.ipar, 2);  // kept
    EXPECT_EQ(a.ipar2, 3);
    EXPECT_EQ(a.par1, 9.0);
    EXPECT_EQ(a.par3, 7.0);
    a.init(nothing, 1, 0.5, 0.25, 0.125);
    EXPECT_EQ(a.ipar, 1);
    EXPECT_EQ(a.ipar2, 3);
    EXPECT_EQ(a.par2, 0.25);

    Coordin delta;
    Action placed(&delta, 1, true, 0.0);
    EXPECT_EQ(placed.position, &delta);
}

TEST(Action, ActionWithoutFunctionOnlyAges) {
    Action a(1, true, 100.0);
    a.animate(100);
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(a.time, 100.0);
}

}  // namespace
