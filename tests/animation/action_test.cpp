// An action's lifetime and running flag, run directly with given frame times.
#include <gtest/gtest.h>

#include <limits>

#include "animation/action.h"

namespace {

int runs = 0;
void count_run(void*) { ++runs; }

Action counting(double duration) {
    Action a(1, true, duration);
    a.init(count_run, nullptr);
    return a;
}

TEST(Action, DurationDecidesHowOftenTheFunctionRuns) {
    // 0 and -0 never expire; a negative lifetime expires on the first run even
    // without time passing; so does a NaN one, rather than never.
    for (double endless : {0.0, -0.0}) {
        Action a = counting(endless);
        EXPECT_TRUE(a.endless);
        for (int i = 0; i < 20; ++i) a.animate(1'000'000);
        EXPECT_FALSE(a.rip());
    }
    for (double once : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
        runs = 0;
        Action a = counting(once);
        a.animate(0);
        EXPECT_TRUE(a.rip());
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(Action_curent, &a);
    }
    Action exact = counting(800.0);
    exact.animate(400);
    EXPECT_FALSE(exact.rip());
    exact.animate(400);
    EXPECT_TRUE(exact.rip());
}

TEST(Action, StoppedActionNeitherAgesNorExpiresAndResumesWhereItStood) {
    runs = 0;
    Action a = counting(1000.0);
    a.animate(600);
    a.stop();
    a.animate(600);
    EXPECT_EQ(a.elapsed, 600.0);
    EXPECT_EQ(a.time, 600.0);
    EXPECT_EQ(runs, 1);
    a.start();
    a.animate(300);
    EXPECT_FALSE(a.rip());
    a.animate(100);
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(runs, 3);
}

void nothing(void*) {}

TEST(Action, ParameterOverloadsClearDataAndKeepWhatTheyDoNotSet) {
    int token = 0;
    Action a(7, false, 0.0);
    a.init(nothing, 2, 3, 1.5, 2.5, 3.5);
    a.init(nothing, &token);  // parameters first, data second
    EXPECT_EQ(a.data, &token);
    EXPECT_EQ(a.ipar2, 3);
    a.init(nothing, 9.0, 8.0, 7.0);
    EXPECT_EQ(a.data, nullptr);
    EXPECT_EQ(a.ipar, 2);
    EXPECT_EQ(a.ipar2, 3);
    EXPECT_EQ(a.par1, 9.0);
}

}  // namespace
