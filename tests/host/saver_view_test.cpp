// The saver view as a host drives it: creation, start, ticks, resizes, stop.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "host/frame_driver.h"
#include "host/host_fixture.h"
#include "host/random_seed.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/system/system.h"
#include "support/log_capture.h"

namespace lunabrelle::test {
namespace {

// The subview on the fixture's context, recording the sizes it is given.
class TestSurface : public GlSurface {
public:
    explicit TestSurface(HeadlessGl* context) : gl(context) {}
    bool create() override { return can_create; }
    bool make_current() override { return gl->make_current(); }
    void resize(double width, double height) override {
        sizes.emplace_back(width, height);
        gl->resize(std::max(1, whole_units(width)), std::max(1, whole_units(height)), nullptr);
    }
    HeadlessGl* gl;
    bool can_create = true;
    std::vector<std::pair<double, double>> sizes;
};

class SaverViewTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        platform::set_resource_folder(empty_resources());
        platform::set_settings_path(settings_file());
    }
    void TearDown() override {
        if (view.isAnimating()) view.stopAnimation();
        HostTest::TearDown();
    }
    std::vector<int> viewport() const {
        std::vector<int> v(4);
        glGetIntegerv(GL_VIEWPORT, v.data());
        return v;
    }

    LogCapture log;
    TestSurface surface{&gl_};
    quorvixlunabrelle view;
};

TEST_F(SaverViewTest, CreationNeedsASubviewStartShowsBlackTheFirstTickBuildsAndOnlyAResizeRebuilds) {
    EXPECT_FALSE(view.initWithFrame(800, 600, false, nullptr));
    surface.can_create = false;
    EXPECT_FALSE(view.initWithFrame(800, 600, true, &surface));
    EXPECT_EQ(log.lines(), std::vector<std::string>(2, "Couldn't initialize OpenGL"));
    surface.can_create = true;
    seed_random(12345);
    const int first = std::rand();
    ASSERT_TRUE(view.initWithFrame(kWidth, kHeight, false, &surface));
    const int next = std::rand();
    std::srand(12345);
    EXPECT_TRUE(std::rand() == first && std::rand() == next);  // the host's seed is kept
    EXPECT_EQ(mac_config_path, settings_file());
    EXPECT_EQ(conf, nullptr);
    view.setFrameSize(kWidth, kHeight);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    view.startAnimation();
    EXPECT_EQ(pixel(kWidth / 2, kHeight / 2), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(scena->width, 10);  // not built before the first tick
    view.animateOneFrame();
    EXPECT_EQ(scena->width, kWidth);
    glViewport(0, 0, 1, 1);  // a later tick draws without building
    view.animateOneFrame();
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 1, 1}));
    Config* world = conf;
    view.setFrameSize(100.9, 40.5);  // truncated, not rounded
    EXPECT_EQ(surface.sizes.back(), std::make_pair(100.9, 40.5));
    view.animateOneFrame();
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 100, 40}));
    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 2.5, 1e-6);
    EXPECT_EQ(conf, world);  // the world survives a resize
}

TEST(WholeUnits, TruncatesTowardZeroAndStaysInRange) {
    const std::pair<double, int> cases[] = {{799.6, 799}, {0.99, 0}, {-3.5, 0}, {1e300, 2147483647}, {std::nan(""), 0}};
    for (const auto& [points, units] : cases) EXPECT_EQ(whole_units(points), units) << points;
}

}  // namespace
}  // namespace lunabrelle::test
