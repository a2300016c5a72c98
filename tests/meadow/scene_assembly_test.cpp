// The assembled meadow and overlays: what must hold of any arrangement the
// random draws make, not the draws themselves.
#include <gtest/gtest.h>

#include <cstring>

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "animation/action.h"
#include "host/frame_driver.h"
#include "host/singletons.h"
#include "overlays/analog_clock.h"
#include "overlays/calendar_page.h"
#include "overlays/digital_clock.h"
#include "overlays/fps_display.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace lunabrelle::test {
namespace {

class MeadowTest : public MeadowWorldTest {
protected:
    Object* turntable() const { return map->links.at(2); }
    // The resting butterfly's carrier, then the three flyers'.
    std::vector<Object*> carriers() const {
        const Object* carousel = turntable()->links.at(2);
        return {turntable()->links.at(1), carousel->links.at(0), carousel->links.at(1), carousel->links.at(2)};
    }
    std::string arrangement() const {
        std::string out = std::to_string(turntable()->animate.actions.at(0).par2);
        for (const Object* c : carriers()) {
            for (double p : c->coordin.position) out += " " + std::to_string(p);
            out += static_cast<const char*>(c->animate.actions.at(0).data);
        }
        return out;
    }
};

TEST_F(MeadowTest, EveryFlowerAndButterflyStaysInsideTheView) {
    for (unsigned seed : {1u, 2u, 42u, 2026u}) {
        SCOPED_TRACE(seed);
        std::srand(seed);
        build();
        int viewport[4];
        double projection[16];
        for (int f = 0; f < 30; ++f) {  // a whole turn of the meadow and more
            frame(2000);
            glGetIntegerv(GL_VIEWPORT, viewport);
            glGetDoublev(GL_PROJECTION_MATRIX, projection);
            int seen = 0;
            for (const Model* m : drawn_models(map)) {
                if (std::string(m->texture_name) == "@fon") continue;  // the background fills the view
                double x, y, z;
                ASSERT_TRUE(gluProject(0, 0, 0, m->modelview, projection, viewport, &x, &y, &z));
                // Wings may reach past the edge; the bodies stay near the view.
                const double margin = kWidth / 4.0;
                EXPECT_TRUE(x >= -margin && x <= kWidth + margin && y >= -margin && y <= kHeight + margin && z > 0 && z < 1)
                    << m->texture_name << " at " << x << ", " << y << ", " << z << " frame " << f;
                ++seen;
            }
            EXPECT_EQ(seen, 1 + 4 * 3);  // the flowers and four butterflies
        }
    }
}

// With the real meadow: the resting butterfly sits on a flower (a vertex of
// the flowers' mesh lies close by) and stays there while the meadow turns.
TEST_F(MeadowTest, TheRestingButterflySitsStillOnAFlowerWhileTheMeadowTurns) {
    const char* build_dir = std::getenv("LUNABRELLE_BUILD_DIR");
    ASSERT_NE(build_dir, nullptr) << "LUNABRELLE_BUILD_DIR must name the build tree";
    mac_boundle_path = std::string(build_dir) + "/resources";
    build();
    const Object* flowers = turntable()->links.at(0);
    std::vector<double> first;
    for (int f = 0; f < 10; ++f) {
        frame(700);
        if (f == 0) continue;  // the butterfly is made on the first frame
        const double* fm = flowers->models.at(0)->modelview;
        const double* bm = carriers()[0]->links.at(0)->models.at(0)->modelview;
        std::vector<double> local(3);  // the body's origin in the flowers' own axes
        for (int k = 0; k < 3; ++k) {
            double dot = 0, norm = 0;
            for (int r = 0; r < 3; ++r) {
                dot += fm[4 * k + r] * (bm[12 + r] - fm[12 + r]);
                norm += fm[4 * k + r] * fm[4 * k + r];
            }
            local[k] = dot / norm;
        }
        if (first.empty()) first = local;
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(local[k], first[k], 1e-4) << "frame " << f;
    }
    ASSERT_EQ(first.size(), 3u);
    double nearest = 1e9;
    for (const Model* m : flowers->models)
        for (int v = 0; v < 3 * m->triangles; ++v) {
            double p[3];  // the archive's doubles need not be aligned
            std::memcpy(p, m->vertices + 3 * v, sizeof p);
            nearest = std::min(nearest, std::hypot(p[0] - first[0], p[1] - first[1], p[2] - first[2]));
        }
    EXPECT_LT(nearest, 0.5) << first[0] << ", " << first[1] << ", " << first[2];
}

TEST_F(MeadowTest, OneSeedOneArrangementTwoSeedsTwo) {
    std::srand(7);
    build();
    const std::string seven = arrangement();
    std::srand(8);
    build();
    EXPECT_NE(arrangement(), seven);
    std::srand(7);
    build();
    EXPECT_EQ(arrangement(), seven);
}

TEST_F(MeadowTest, RebuildLeavesNothingOfTheOldTree) {
    conf->show_time = true;
    conf->show_fps = true;
    build();
    const std::string first = arrangement();
    const int fresh = count_nodes(map) + count_nodes(overlay);
    for (int i = 0; i < 5; ++i) frame(16);
    EXPECT_GT(count_nodes(map) + count_nodes(overlay), fresh);  // butterflies, clock, digits
    conf->show_time = false;
    build();
    EXPECT_EQ(count_nodes(map) + count_nodes(overlay), fresh - 1);
    EXPECT_FALSE(map->dead || map->finished || overlay->dead || overlay->finished);
    EXPECT_EQ(overlay->funs.size(), 1u);  // the depth hook is not given twice
    EXPECT_NE(arrangement(), first);      // the generator runs on
    const std::set<std::string> open(media.names.begin(), media.names.end());
    EXPECT_EQ(open, (std::set<std::string>{"main.pak", "utils.pak"}));
}

TEST_F(MeadowTest, WingsBeatInOppositionAndOnlyFlyersBob) {
    build();
    frame(0);
    frame(100);
    for (int b = 0; b < 4; ++b) {
        const Object* body = carriers()[b]->links.at(0);
        const double left = body->links.at(0)->animate.delta.rotation[0];
        EXPECT_NE(left, 0.0) << b;
        EXPECT_NEAR(left + body->links.at(1)->animate.delta.rotation[0], 0.0, 1e-9) << b;
        EXPECT_EQ(body->animate.delta.position[2] != 0.0, b > 0) << b;
    }
}

TEST_F(MeadowTest, TheSettingsChooseTheOverlays) {
    using Init = void (*)(void*);
    struct Case {
        bool calendar, monday, fps, time, analog, h24;
        std::vector<Init> inits;  // first action of each overlay, in order
        std::vector<int> ipars;
    };
    const Case cases[] = {
        {false, false, false, false, false, false, {}, {}},
        {true, true, true, true, false, false, {init_calendar, display_fps, init_digital_clock}, {0, 0, 0}},
        {true, false, false, true, false, true, {init_calendar, init_digital_clock}, {1, 1}},
        {false, false, false, true, true, false, {init_analog_clock}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inits.size());
        conf->show_calendar = c.calendar;
        conf->monday_first = c.monday;
        conf->show_fps = c.fps;
        conf->show_time = c.time;
        conf->analog_clock = c.analog;
        conf->time_24h = c.h24;
        build();
        ASSERT_EQ(overlay->links.size(), c.inits.size());
        for (std::size_t i = 0; i < c.inits.size(); ++i) {
            EXPECT_EQ(overlay->links[i]->animate.actions.at(0).fun, c.inits[i]) << i;
            EXPECT_EQ(overlay->links[i]->animate.actions.at(0).ipar, c.ipars[i]) << i;
        }
    }
}

}  // namespace
}  // namespace lunabrelle::test
