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

namespace lunabrelle::test {
namespace {

// The subview on the fixture's context, counting what the view asks of it.
class TestSurface : public GlSurface {
public:
    explicit TestSurface(HeadlessGl* context) : gl(context) {}
    bool create() override {
        ++creates;
        return can_create;
    }
    bool make_current() override { return gl->make_current(); }
    void resize(double width, double height) override {
        sizes.emplace_back(width, height);
        gl->resize(std::max(1, whole_units(width)), std::max(1, whole_units(height)), nullptr);
    }

    HeadlessGl* gl;
    bool can_create = true;
    int creates = 0;
    std::vector<std::pair<double, double>> sizes;
};

std::vector<std::string> log_lines;
void capture_log(const std::string& line) { log_lines.push_back(line); }

class SaverViewTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        log_lines.clear();
        platform::install_log_sink(capture_log);
        platform::set_resource_folder(empty_resources());
        platform::set_settings_path(settings_file());
    }
    void TearDown() override {
        if (view_.isAnimating()) view_.stopAnimation();
        platform::install_log_sink(nullptr);
        HostTest::TearDown();
    }

    // A created view of the given size, as a host makes one.
    void create(double width, double height) {
        ASSERT_TRUE(view_.initWithFrame(width, height, false, &surface_));
        view_.setFrameSize(width, height);
    }

    std::vector<int> viewport() const {
        std::vector<int> v(4);
        glGetIntegerv(GL_VIEWPORT, v.data());
        return v;
    }

    TestSurface surface_{&gl_};
    quorvixlunabrelle view_;
};

TEST_F(SaverViewTest, NoSubviewLogsAndRefuses) {
    EXPECT_FALSE(view_.initWithFrame(800, 600, false, nullptr));
    surface_.can_create = false;
    EXPECT_FALSE(view_.initWithFrame(800, 600, true, &surface_));
    EXPECT_EQ(surface_.creates, 1);
    EXPECT_EQ(view_.glView, nullptr);
    EXPECT_EQ(log_lines, (std::vector<std::string>{"Couldn't initialize OpenGL",
                                                   "Couldn't initialize OpenGL"}));
}

TEST_F(SaverViewTest, CreationSetsPathsAndIntervalButNoSize) {
    ASSERT_TRUE(view_.initWithFrame(320.5, 200.25, true, &surface_));
    EXPECT_EQ(mac_boundle_path, platform::resource_folder());
    EXPECT_EQ(mac_config_path, settings_file());
    EXPECT_DOUBLE_EQ(view_.animation_interval, 1.0 / 60.0);
    EXPECT_TRUE(view_.isPreview());
    EXPECT_DOUBLE_EQ(view_.frame_width, 320.5);
    EXPECT_DOUBLE_EQ(view_.frame_height, 200.25);
    EXPECT_FALSE(view_.isAnimating());
    EXPECT_FALSE(view_._initedGL);
    EXPECT_EQ(view_.glView, &surface_);
    EXPECT_TRUE(surface_.sizes.empty());  // the host sizes the subview
    EXPECT_EQ(conf, nullptr);             // no world until the start
    EXPECT_TRUE(log_lines.empty());
}

TEST_F(SaverViewTest, ViewKeepsTheSeedTheHostChose) {
    seed_random(12345);
    std::rand();
    ASSERT_TRUE(view_.initWithFrame(64, 64, false, &surface_));
    const int next = std::rand();
    std::srand(12345);
    std::rand();
    EXPECT_EQ(next, std::rand());
}

TEST_F(SaverViewTest, StartShowsBlackAndTheFirstTickBuildsTheScene) {
    create(kWidth, kHeight);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    view_.startAnimation();
    EXPECT_TRUE(view_.isAnimating());
    EXPECT_EQ(pixel(kWidth / 2, kHeight / 2), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    ASSERT_NE(scena, nullptr);
    EXPECT_EQ(scena->width, 10);  // not built before the first tick
    EXPECT_FALSE(view_._initedGL);

    view_.animateOneFrame();
    EXPECT_TRUE(view_._initedGL);
    EXPECT_EQ(scena->width, kWidth);
    EXPECT_EQ(scena->height, kHeight);
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, kWidth, kHeight}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SaverViewTest, SizesAreTruncatedNotRounded) {
    create(99.6, 50.9);
    EXPECT_EQ(surface_.sizes.back(), std::make_pair(99.6, 50.9));
    view_.startAnimation();
    view_.animateOneFrame();
    EXPECT_EQ(scena->width, 99);
    EXPECT_EQ(scena->height, 50);
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 99, 50}));
}

TEST_F(SaverViewTest, OnlyAResizeRebuildsAndTheWorldSurvivesIt) {
    create(kWidth, kHeight);
    view_.startAnimation();
    view_.animateOneFrame();
    Config* world_conf = conf;
    Object* world_map = map;
    // A later tick draws without building: a viewport set by hand survives it.
    glViewport(0, 0, 1, 1);
    view_.animateOneFrame();
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 1, 1}));

    view_.setFrameSize(100, 40);
    EXPECT_FALSE(view_._initedGL);
    EXPECT_EQ(surface_.sizes.back(), std::make_pair(100.0, 40.0));
    view_.animateOneFrame();
    EXPECT_TRUE(view_._initedGL);
    EXPECT_EQ(scena->width, 100);
    EXPECT_EQ(scena->height, 40);
    EXPECT_EQ(viewport(), (std::vector<int>{0, 0, 100, 40}));
    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 2.5, 1e-6);  // the new aspect ratio
    EXPECT_EQ(conf, world_conf);
    EXPECT_EQ(map, world_map);
}

TEST_F(SaverViewTest, EachStartReadsTheSettingsAgain) {
    create(kWidth, kHeight);
    Config saved;
    saved.show_fps = false;
    saved.show_calendar = false;
    ASSERT_TRUE(save_config(saved, settings_file()));
    view_.startAnimation();
    view_.animateOneFrame();
    EXPECT_FALSE(conf->show_fps);
    // Saved while running: read only by the next start.
    saved.show_fps = true;
    ASSERT_TRUE(save_config(saved, settings_file()));
    view_.animateOneFrame();
    EXPECT_FALSE(conf->show_fps);
    view_.stopAnimation();
    view_.startAnimation();
    EXPECT_TRUE(conf->show_fps);
    view_.animateOneFrame();
}

TEST_F(SaverViewTest, StopDrainsAndFreesTheWorld) {
    create(kWidth, kHeight);
    view_.startAnimation();
    view_.stopAnimation();  // before any tick
    EXPECT_EQ(conf, nullptr);
    view_.startAnimation();
    for (int i = 0; i < 5; ++i) view_.animateOneFrame();
    view_.stopAnimation();
    EXPECT_FALSE(view_.isAnimating());
    EXPECT_FALSE(view_._initedGL);
    EXPECT_EQ(conf, nullptr);
    EXPECT_EQ(map, nullptr);
    EXPECT_EQ(overlay, nullptr);
    EXPECT_EQ(scena, nullptr);
}

TEST_F(SaverViewTest, KeysAndDrawRect) {
    create(kWidth, kHeight);
    EXPECT_TRUE(view_.hasConfigureSheet());
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    view_.drawRect({0, 0, kWidth, kHeight});
    EXPECT_EQ(pixel(2, 2), (std::vector<std::uint8_t>{0, 255, 0, 255}));
    EXPECT_FALSE(view_.stop_requested);
    view_.keyDown({53, 27});
    EXPECT_TRUE(view_.stop_requested);
}

TEST(WholeUnits, TruncatesTowardZeroAndStaysInRange) {
    EXPECT_EQ(whole_units(799.6), 799);
    EXPECT_EQ(whole_units(799.0), 799);
    EXPECT_EQ(whole_units(0.99), 0);
    EXPECT_EQ(whole_units(-3.5), 0);
    EXPECT_EQ(whole_units(1e300), 2147483647);
    EXPECT_EQ(whole_units(std::nan("")), 0);
}

}  // namespace
}  // namespace lunabrelle::test
