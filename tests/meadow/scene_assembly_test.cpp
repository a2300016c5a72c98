// The assembled meadow and overlays: what must hold of any arrangement the
// random draws make, not the draws themselves.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "host/singletons.h"
#include "meadow/scene_assembly.h"
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
    // Window x, y and depth of the point p of a mesh drawn in the last frame.
    std::vector<double> project(const Model* m, const double* p) const {
        int viewport[4];
        double projection[16], w[3];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        EXPECT_TRUE(gluProject(p[0], p[1], p[2], m->modelview, projection, viewport, &w[0], &w[1], &w[2]));
        return {w[0], w[1], w[2]};
    }
};

TEST_F(MeadowTest, EveryFlowerAndButterflyStaysInsideTheViewWingsBeatInOppositionAndThePageStaysWholeInAPortraitView) {
    const double origin[3] = {0, 0, 0}, cell_edge[3] = {4, 0, 0};  // a page cell's right edge
    for (unsigned seed : {1u, 42u, 2026u}) {
        SCOPED_TRACE(seed);
        std::srand(seed);
        build();
        for (int f = 0; f < 30; ++f) {  // a whole turn of the meadow and more
            frame(2000);
            const double margin = kWidth / 4.0;  // wings may reach past the edge; the bodies stay near
            int seen = 0;
            for (const Model* m : drawn_models(map)) {
                if (std::string(m->texture_name) == "@fon") continue;  // the background fills the view
                ++seen;
                const auto w = project(m, origin);
                EXPECT_TRUE(w[0] >= -margin && w[0] <= kWidth + margin && w[1] >= -margin && w[1] <= kHeight + margin &&
                            w[2] > 0 && w[2] < 1) << m->texture_name << " at " << w[0] << ", " << w[1] << " frame " << f;
            }
            EXPECT_EQ(seen, 1 + 4 * 3);  // the flowers and four butterflies
            for (int b = 0; f > 0 && b < 4; ++b) {  // the butterflies are made on the first frame
                const Object* body = carriers()[b]->links.at(0);
                const double left = body->links.at(0)->animate.delta.rotation[0];
                EXPECT_NE(left, 0.0) << b;
                EXPECT_NEAR(left + body->links.at(1)->animate.delta.rotation[0], 0.0, 1e-9) << b;
            }
        }
    }
    conf->show_calendar = true;
    clock.set(2026, 12, 5, 10, 0, 0);  // a Saturday: the mark is in the last column too
    for (const int width : {36, 64}) {  // 720 x 1280 and a square, scaled down
        SCOPED_TRACE(width);
        mac_init(width, kHeight, 32);
        frame(0);
        double reach = -1;
        for (const Model* m : drawn_models(overlay)) reach = std::max(reach, project(m, cell_edge)[0]);
        EXPECT_GT(reach, width / 2.0);
        EXPECT_LE(reach, width);
    }
}

// With the real meadow: the resting butterfly sits on a flower (a vertex of
// the flowers' mesh lies close by) in every frame while the meadow turns.
TEST_F(MeadowTest, TheRestingButterflySitsOnAFlowerWhileTheMeadowTurns) {
    const char* build_dir = std::getenv("LUNABRELLE_BUILD_DIR");
    ASSERT_NE(build_dir, nullptr) << "LUNABRELLE_BUILD_DIR must name the build tree";
    mac_boundle_path = std::string(build_dir) + "/resources";
    build();
    const Object* flowers = turntable()->links.at(0);
    for (int f = 0; f < 10; ++f) {
        frame(700);
        if (f == 0) continue;  // the butterfly is made on the first frame
        const double* body = carriers()[0]->links.at(0)->models.at(0)->modelview + 12;
        double nearest = 1e9, scale = 0;
        for (const Model* m : flowers->models) {
            const double* fm = m->modelview;
            scale = std::hypot(fm[0], fm[1], fm[2]);
            for (int v = 0; v < 3 * m->triangles; ++v) {
                double p[3], eye[3];  // the archive's doubles need not be aligned
                std::memcpy(p, m->vertices + 3 * v, sizeof p);
                for (int r = 0; r < 3; ++r) eye[r] = fm[r] * p[0] + fm[4 + r] * p[1] + fm[8 + r] * p[2] + fm[12 + r] - body[r];
                nearest = std::min(nearest, std::hypot(eye[0], eye[1], eye[2]));
            }
        }
        EXPECT_LT(nearest / scale, 0.5) << "frame " << f;
    }
}

// A scene rebuilt in a running world (after a resize) is the one a fresh start
// with the same seed makes, nothing of the old tree left, and shows its
// overlays from its first frame; another seed arranges the meadow otherwise.
TEST_F(MeadowTest, ARebuildMatchesAFreshStartFromItsFirstFrameAndAnotherSeedArrangesOtherwise) {
    conf->show_time = conf->show_calendar = conf->show_fps = true;
    conf->time_24h = false;
    const auto first_frames = [this] {  // the frame rate first shows in the second frame
        clock.set(2026, 12, 5, 10, 42, 7);
        build();
        std::string shown = "nodes " + std::to_string(count_nodes(map) + count_nodes(overlay));
        frame(0);
        frame(16);
        for (const std::string& e : drawn_entries(overlay)) shown += " " + e;
        std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return std::make_pair(shown, pixels);
    };
    seed_random(3);
    const auto fresh = first_frames();
    for (int i = 0; i < 9; ++i) frame(100);  // the frame count and the shown values change
    seed_random(3);
    const auto rebuilt = first_frames();
    EXPECT_EQ(rebuilt.first, fresh.first);
    EXPECT_TRUE(rebuilt.second == fresh.second);
    EXPECT_EQ(overlay->funs.size(), 1u);  // the depth hook is not given twice
    seed_random(4);
    EXPECT_FALSE(first_frames().second == fresh.second);
}

}  // namespace
}  // namespace lunabrelle::test
