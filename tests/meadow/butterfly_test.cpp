#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "animation/action.h"
#include "animation/action_library.h"
#include "host/frame_driver.h"
#include "host/singletons.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::entry_of;
using lunabrelle::test::MeadowWorldTest;

constexpr double kTwoPi = 6.28318530717956;
constexpr double kPi = 3.14159265358978;
constexpr double kBodyPhase = 28.647889756541282;

class ButterflyTest : public MeadowWorldTest {
protected:
    std::vector<Object*> carriers() const {
        Object* table = map->links.at(2);
        Object* car = table->links.at(2);
        return {table->links.at(1), car->links.at(0), car->links.at(1), car->links.at(2)};
    }
    static std::string archive_of(const Object* carrier) {
        return static_cast<const char*>(carrier->animate.actions.at(0).data);
    }
};

TEST_F(ButterflyTest, BodyAndWingsBeatAtTheirRates) {
    // Each butterfly draws its phase on its first frame, in drawing order,
    // after the assembly's twelve draws.
    std::srand(5);
    for (int i = 0; i < 12; ++i) std::rand();
    int phase_draws[4];
    for (int& d : phase_draws) d = std::rand() % 300;

    std::srand(5);
    build();
    std::vector<std::string> archives;
    for (const Object* c : carriers()) archives.push_back(archive_of(c));
    frame(0);
    const std::vector<Object*> all = carriers();
    for (int b = 0; b < 4; ++b) {
        const Object* carrier = all[b];
        const bool flyer = b > 0;
        const double frequency = flyer ? 13.0 : 9.0;
        ASSERT_EQ(carrier->links.size(), 1u);
        const Object* body = carrier->links[0];
        EXPECT_EQ(entry_of(body), "brushko");
        EXPECT_EQ(body->packs, std::vector<std::string>{archives[b]});
        EXPECT_TRUE(body->coordin.scale_enabled);
        EXPECT_DOUBLE_EQ(body->coordin.scaling[0], 0.2);
        EXPECT_DOUBLE_EQ(body->coordin.scaling[2], 0.2);
        if (flyer) {
            ASSERT_EQ(body->animate.actions.size(), 1u);
            const Action& bob = body->animate.actions[0];
            EXPECT_EQ(bob.fun, &move_sin);
            EXPECT_EQ(bob.ipar, 2);
            EXPECT_DOUBLE_EQ(bob.par1, 4.0);
            EXPECT_DOUBLE_EQ(bob.par2, 13.0);
            EXPECT_EQ(bob.par3, kBodyPhase);
            EXPECT_TRUE(bob.endless);
        } else {
            EXPECT_TRUE(body->animate.actions.empty());
        }

        ASSERT_EQ(body->links.size(), 2u);
        const double p = phase_draws[b] * kTwoPi / 300.0;
        for (int w = 0; w < 2; ++w) {
            const Object* wing = body->links[w];
            EXPECT_EQ(entry_of(wing), "krilo");
            EXPECT_EQ(wing->coordin.rotation[0], w == 0 ? 25.0 : 145.0);
            EXPECT_DOUBLE_EQ(wing->coordin.scaling[1], 0.2);
            ASSERT_EQ(wing->animate.actions.size(), 1u);
            const Action& beat = wing->animate.actions[0];
            EXPECT_EQ(beat.fun, &rot_sin);
            EXPECT_EQ(beat.ipar, 0);
            EXPECT_EQ(beat.par1, 50.0);
            EXPECT_EQ(beat.par2, frequency);
            EXPECT_EQ(beat.par3, w == 0 ? p : p + kPi) << b;
        }
    }

    // 100 ms later the offsets follow the sines of the actions' clocks.
    frame(100);
    for (int b = 0; b < 4; ++b) {
        // The builder ran once and is gone; one butterfly per carrier.
        EXPECT_EQ(all[b]->animate.actions.size(), b > 0 ? 4u : 0u);
        EXPECT_EQ(all[b]->links.size(), 1u);
        const Object* body = all[b]->links[0];
        const double frequency = b > 0 ? 13.0 : 9.0;
        const double p = phase_draws[b] * kTwoPi / 300.0;
        EXPECT_NEAR(body->animate.delta.position[2], b > 0 ? 4.0 * std::sin(kBodyPhase + 1.3) : 0.0, 1e-9);
        EXPECT_NEAR(body->links[0]->animate.delta.rotation[0], 50.0 * std::sin(p + 0.1 * frequency), 1e-9);
        EXPECT_NEAR(body->links[1]->animate.delta.rotation[0], 50.0 * std::sin(p + kPi + 0.1 * frequency), 1e-9);
    }
}

TEST_F(ButterflyTest, TwoButterfliesShareOneArchive) {
    bool found = false;
    for (unsigned seed = 1; seed < 100 && !found; ++seed) {
        std::srand(seed);
        build();
        const std::vector<Object*> all = carriers();
        for (int i = 0; i < 4 && !found; ++i)
            for (int j = i + 1; j < 4 && !found; ++j) {
                if (archive_of(all[i]) != archive_of(all[j])) continue;
                found = true;
                frame(0);
                int opened = 0;
                for (const std::string& name : media.names) opened += name == archive_of(all[i]);
                EXPECT_EQ(opened, 1);
                // Both bodies draw from the same bytes of the one archive.
                const Model* a = all[i]->links.at(0)->models.at(0);
                const Model* b = all[j]->links.at(0)->models.at(0);
                EXPECT_EQ(a->vertices, b->vertices);
            }
    }
    EXPECT_TRUE(found);
}

}  // namespace
