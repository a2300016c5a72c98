#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "animation/action.h"
#include "animation/action_library.h"
#include "animation/node_hooks.h"
#include "host/frame_driver.h"
#include "host/singletons.h"
#include "meadow/butterfly.h"
#include "overlays/analog_clock.h"
#include "overlays/calendar_page.h"
#include "overlays/digital_clock.h"
#include "overlays/fps_display.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::count_nodes;
using lunabrelle::test::entry_of;
using lunabrelle::test::MeadowWorldTest;

void expect_vec(const double* v, double x, double y, double z, const char* what) {
    EXPECT_DOUBLE_EQ(v[0], x) << what;
    EXPECT_DOUBLE_EQ(v[1], y) << what;
    EXPECT_DOUBLE_EQ(v[2], z) << what;
}

void expect_action(const Action& a, ActionFunction fun, int ipar, double p1, double p2, double p3, bool once,
                   const char* what) {
    EXPECT_EQ(a.fun, fun) << what;
    EXPECT_EQ(a.ipar, ipar) << what;
    EXPECT_DOUBLE_EQ(a.par1, p1) << what;
    EXPECT_DOUBLE_EQ(a.par2, p2) << what;
    EXPECT_DOUBLE_EQ(a.par3, p3) << what;
    EXPECT_EQ(a.id, 1) << what;
    EXPECT_TRUE(a.running) << what;
    EXPECT_EQ(a.endless, !once) << what;
    if (once) {
        EXPECT_EQ(a.duration, -1.0) << what;
    }
}

void expect_within(const double* p, std::array<double, 3> low, std::array<double, 3> high, unsigned seed) {
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(p[k], std::floor(p[k])) << seed;
        EXPECT_GE(p[k], low[k]) << seed << " axis " << k;
        EXPECT_LE(p[k], high[k]) << seed << " axis " << k;
    }
}

bool is_butterfly_archive(const void* data) {
    if (data == nullptr) return false;
    const std::string name = static_cast<const char*>(data);
    return name.size() == 14 && name.compare(0, 9, "butterfly") == 0 && name[9] >= '1' && name[9] <= '5' &&
           name.compare(10, 4, ".pak") == 0;
}

// The random values of one arrangement, as drawn by the platform generator.
struct Arrangement {
    int angle;
    std::string archives[4];
    int flyer1;
    int flyer2[3];
    int flyer3[3];
};

Arrangement replay(unsigned seed) {
    std::srand(seed);
    Arrangement r{};
    auto archive = [] { return "butterfly" + std::to_string(std::rand() % 5 + 1) + ".pak"; };
    r.angle = std::rand() % 3600 / 10;
    r.archives[0] = archive();
    r.flyer1 = std::rand() % 500 / 100;
    r.archives[1] = archive();
    for (int& v : r.flyer2) v = std::rand();
    r.flyer2[0] %= 30, r.flyer2[1] %= 20, r.flyer2[2] %= 30;
    r.archives[2] = archive();
    for (int& v : r.flyer3) v = std::rand();
    r.flyer3[0] %= 70, r.flyer3[1] %= 100, r.flyer3[2] %= 100;
    r.archives[3] = archive();
    return r;
}

class SceneAssemblyTest : public MeadowWorldTest {
protected:
    Object* turntable() const { return map->links.at(2); }
    Object* carousel() const { return turntable()->links.at(2); }
    Object* resting() const { return turntable()->links.at(1); }
    std::vector<Object*> carriers() const {
        return {resting(), carousel()->links.at(0), carousel()->links.at(1), carousel()->links.at(2)};
    }
    static std::string archive_of(const Object* carrier) {
        return static_cast<const char*>(carrier->animate.actions.at(0).data);
    }

    // The arrangement found in the built tree.
    Arrangement found() const {
        Arrangement r{};
        r.angle = static_cast<int>(turntable()->animate.actions.at(0).par2);
        for (int i = 0; i < 4; ++i) r.archives[i] = archive_of(carriers()[i]);
        const double* p1 = carriers()[1]->coordin.position;
        const double* p2 = carriers()[2]->coordin.position;
        const double* p3 = carriers()[3]->coordin.position;
        r.flyer1 = static_cast<int>(p1[0]) - 30;
        r.flyer2[0] = static_cast<int>(p2[2]) - 35, r.flyer2[1] = static_cast<int>(p2[1]) - 19,
        r.flyer2[2] = -19 - static_cast<int>(p2[0]);
        r.flyer3[0] = static_cast<int>(p3[2]) - 30, r.flyer3[1] = -15 - static_cast<int>(p3[1]),
        r.flyer3[2] = -15 - static_cast<int>(p3[0]);
        return r;
    }
};

TEST_F(SceneAssemblyTest, MeadowTree) {
    build();
    ASSERT_EQ(map->links.size(), 3u);
    const Object* light = map->links[0];
    const Object* background = map->links[1];
    const Object* table = map->links[2];

    expect_vec(light->coordin.position, 0, 12, 45, "light");
    EXPECT_TRUE(light->models.empty());
    ASSERT_EQ(light->animate.actions.size(), 1u);
    expect_action(light->animate.actions[0], set_light, 1, 0, 0, 0, false, "light");

    EXPECT_EQ(entry_of(background), "fon");
    EXPECT_EQ(background->packs, std::vector<std::string>{"main.pak"});
    expect_vec(background->coordin.scaling, 4, 3, 3, "background scale");
    EXPECT_TRUE(background->coordin.scale_enabled);
    expect_vec(background->coordin.position, 0, 0, -100, "background");
    expect_vec(background->coordin.rotation, 0, 180, 180, "background");
    EXPECT_TRUE(background->animate.actions.empty());
    EXPECT_TRUE(background->funs.empty());

    expect_vec(table->coordin.position, 0, 0, -10, "turntable");
    expect_vec(table->coordin.rotation, -30, 0, 0, "turntable");
    ASSERT_EQ(table->funs.size(), 1u);
    EXPECT_EQ(table->funs[0].fun, &test);
    ASSERT_EQ(table->animate.actions.size(), 1u);
    const double angle = table->animate.actions[0].par2;
    expect_action(table->animate.actions[0], rot_linear, 2, 7.0, angle, 0, false, "turntable");
    EXPECT_EQ(angle, std::floor(angle));
    EXPECT_GE(angle, 0.0);
    EXPECT_LE(angle, 359.0);
    ASSERT_EQ(table->links.size(), 3u);

    const Object* flowers = table->links[0];
    EXPECT_EQ(entry_of(flowers), "flowers");
    expect_vec(flowers->coordin.scaling, 2, 2, 2, "flowers");
    EXPECT_TRUE(flowers->animate.actions.empty());

    const Object* rest = table->links[1];
    expect_vec(rest->coordin.position, 0, -7, 21.5, "resting");
    expect_vec(rest->coordin.rotation, 45, 0, 90, "resting");
    ASSERT_EQ(rest->animate.actions.size(), 1u);
    expect_action(rest->animate.actions[0], babochka_f, 0, -5.0, 0.2, 0.0, true, "resting");
    EXPECT_TRUE(is_butterfly_archive(rest->animate.actions[0].data));

    const Object* car = table->links[2];
    expect_vec(car->coordin.position, 0, 0, 0, "carousel");
    ASSERT_EQ(car->animate.actions.size(), 1u);
    expect_action(car->animate.actions[0], rot_linear, 2, 30.0, 0, 0, false, "carousel");
    ASSERT_EQ(car->links.size(), 3u);

    const double rolls[3] = {90, -110, -40};
    const double movers[3][4][3] = {
        {{2.0, 3.0, 0}, {6.0, 2.0, 0}, {1.0, 4.0, 0}, {5.0, 3.0, 0}},
        {{2.0, 4.0, 0}, {8.0, 2.0, 0}, {3.0, 4.0, 0}, {5.0, 4.0, 0}},
        {{2.0, 4.0, 0}, {6.0, 2.0, 0}, {1.0, 5.0, 0}, {5.0, 4.0, 0}},
    };
    for (int f = 0; f < 3; ++f) {
        const Object* flyer = car->links[f];
        const std::string what = "flyer " + std::to_string(f + 1);
        expect_vec(flyer->coordin.rotation, 0, 0, rolls[f], what.c_str());
        EXPECT_TRUE(flyer->models.empty());
        EXPECT_EQ(flyer->event.slot_actions.size(), 1u);
        ASSERT_EQ(flyer->animate.actions.size(), 5u) << what;
        const auto& a = flyer->animate.actions;
        expect_action(a[0], babochka_f, 1, -1.0, 0.2, 0.0, true, what.c_str());
        EXPECT_TRUE(is_butterfly_archive(a[0].data));
        expect_action(a[1], move_sin, 1, movers[f][0][0], movers[f][0][1], 0, false, what.c_str());
        expect_action(a[2], rot_sin, 2, movers[f][1][0], movers[f][1][1], 0, false, what.c_str());
        expect_action(a[3], move_sin, 2, movers[f][2][0], movers[f][2][1], 0, false, what.c_str());
        expect_action(a[4], move_sin, 2, movers[f][3][0], movers[f][3][1], 0, false, what.c_str());
    }
}

TEST_F(SceneAssemblyTest, RandomDrawsComeInTheirOrderAndRanges) {
    for (unsigned seed : {1u, 7u, 42u, 2026u, 65535u}) {
        const Arrangement expected = replay(seed);
        std::srand(seed);
        build();
        const Arrangement got = found();
        EXPECT_EQ(got.angle, expected.angle) << seed;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(got.archives[i], expected.archives[i]) << seed << " " << i;
        EXPECT_EQ(got.flyer1, expected.flyer1) << seed;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(got.flyer2[i], expected.flyer2[i] / 10) << seed << " " << i;
            EXPECT_EQ(got.flyer3[i], expected.flyer3[i] / 10) << seed << " " << i;
        }

        // Whole numbers within the ranges.
        const double* p1 = carriers()[1]->coordin.position;
        const double* p2 = carriers()[2]->coordin.position;
        const double* p3 = carriers()[3]->coordin.position;
        expect_within(p1, {30, 0, 30}, {34, 0, 30}, seed);
        expect_within(p2, {-21, 19, 35}, {-19, 20, 37}, seed);
        expect_within(p3, {-24, -24, 30}, {-15, -15, 36}, seed);
    }
}

TEST_F(SceneAssemblyTest, OverlaysOffLeaveTheHookOnly) {
    build();
    EXPECT_TRUE(overlay->links.empty());
    ASSERT_EQ(overlay->funs.size(), 1u);
    EXPECT_EQ(overlay->funs[0].fun, &disable_depth_test);
    expect_vec(overlay->coordin.position, 0, 0, 0, "overlay");
}

TEST_F(SceneAssemblyTest, EveryOverlayInItsPlace) {
    conf->show_calendar = true;
    conf->monday_first = true;
    conf->show_fps = true;
    conf->show_time = true;
    conf->big_clock = true;
    conf->time_24h = false;
    build();
    ASSERT_EQ(overlay->links.size(), 3u);
    const Scena& v = *scena;

    const Object* cal = overlay->links[0];
    // Narrower than 5:4 (the test's view is square): the margin to the right
    // edge is the one a 5:4 view gives, 29 units of depth's worth at 5:4.
    ASSERT_EQ(v.width, v.height);
    EXPECT_NEAR(cal->coordin.position[0], -v.get_x_coord(-240.0) - 29.0 * 0.41421356237309503 * 1.25, 1e-5);
    expect_vec(cal->coordin.position, cal->coordin.position[0], v.get_y_coord(183.0), -140, "calendar");
    EXPECT_TRUE(cal->models.empty());
    ASSERT_EQ(cal->animate.actions.size(), 1u);
    expect_action(cal->animate.actions[0], init_calendar, 0, 0, 0, 0, true, "calendar");

    const Object* fps = overlay->links[1];
    EXPECT_EQ(entry_of(fps), "fps");
    EXPECT_EQ(fps->packs, std::vector<std::string>{"utils.pak"});
    expect_vec(fps->coordin.position, v.get_x_coord(-100.0) + 5.0, -2.5 - v.get_y_coord(-100.0), 0, "fps");
    ASSERT_EQ(fps->animate.actions.size(), 1u);
    EXPECT_EQ(fps->animate.actions[0].fun, &display_fps);
    EXPECT_EQ(fps->animate.actions[0].data, nullptr);
    EXPECT_TRUE(fps->animate.actions[0].endless);

    const Object* clk = overlay->links[2];
    expect_vec(clk->coordin.position, -v.get_x_coord(-70.0), v.get_y_coord(-70.0), 30, "big clock");
    ASSERT_EQ(clk->animate.actions.size(), 1u);
    expect_action(clk->animate.actions[0], init_digital_clock, 0, 0, 0, 0, true, "clock");

    // Sunday first and a 24-hour clock flip the set-up parameters.
    conf->monday_first = false;
    conf->time_24h = true;
    build();
    EXPECT_EQ(overlay->links[0]->animate.actions[0].ipar, 1);
    EXPECT_EQ(overlay->links[2]->animate.actions[0].ipar, 1);
    ASSERT_EQ(overlay->funs.size(), 1u);  // a rebuild adds no second hook
}

TEST_F(SceneAssemblyTest, BigAndSmallClockDifferOnlyInPlace) {
    conf->show_time = true;
    for (bool analog : {false, true}) {
        conf->analog_clock = analog;
        conf->big_clock = true;
        build();
        const Object* b = overlay->links.at(0);
        const Action big_action = b->animate.actions.at(0);
        const double big_pos[3] = {b->coordin.position[0], b->coordin.position[1], b->coordin.position[2]};

        conf->big_clock = false;
        build();
        const Object* s = overlay->links.at(0);
        const Action& small_action = s->animate.actions.at(0);
        EXPECT_EQ(small_action.fun, analog ? &init_analog_clock : &init_digital_clock);
        EXPECT_EQ(small_action.fun, big_action.fun);
        EXPECT_EQ(small_action.ipar, big_action.ipar);
        EXPECT_EQ(small_action.data, big_action.data);
        EXPECT_EQ(small_action.duration, big_action.duration);
        EXPECT_TRUE(s->models.empty());
        EXPECT_TRUE(s->funs.empty());
        expect_vec(s->coordin.rotation, 0, 0, 0, "small clock");
        const Scena& v = *scena;
        expect_vec(big_pos, -v.get_x_coord(-70.0), v.get_y_coord(-70.0), 30, "big clock");
        expect_vec(s->coordin.position, -v.get_x_coord(-170.0), v.get_y_coord(-170.0), -70, "small clock");
    }
}

TEST_F(SceneAssemblyTest, RebuildLeavesNothingOfTheOldTree) {
    conf->show_time = true;
    conf->show_fps = true;
    std::srand(11);
    build();
    const Arrangement first = found();
    const int fresh_nodes = count_nodes(map) + count_nodes(overlay);
    for (int i = 0; i < 5; ++i) frame(16);
    EXPECT_GT(count_nodes(map) + count_nodes(overlay), fresh_nodes);  // butterflies, clock, digits

    build();
    EXPECT_EQ(count_nodes(map) + count_nodes(overlay), fresh_nodes);
    EXPECT_FALSE(map->dead || map->finished || overlay->dead || overlay->finished);
    ASSERT_EQ(overlay->funs.size(), 1u);
    const Arrangement second = found();
    // The generator runs on: another arrangement (the chance of a repeat of
    // all twelve draws is negligible).
    bool same = first.angle == second.angle && first.flyer1 == second.flyer1;
    for (int i = 0; i < 3; ++i) same = same && first.flyer2[i] == second.flyer2[i] && first.flyer3[i] == second.flyer3[i];
    for (int i = 0; i < 4; ++i) same = same && first.archives[i] == second.archives[i];
    EXPECT_FALSE(same);
    // Only the archives of the new tree are open.
    const std::set<std::string> open(media.names.begin(), media.names.end());
    EXPECT_EQ(open, (std::set<std::string>{"main.pak", "utils.pak"}));
    frame(16);
    EXPECT_EQ(overlay->links.size(), 2u);
}

}  // namespace
