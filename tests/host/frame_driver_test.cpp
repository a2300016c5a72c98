#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "animation/action.h"
#include "host/frame_driver.h"
#include "host/host_fixture.h"
#include "host/singletons.h"
#include "host/world_time.h"
#include "overlays/overlay_statics.h"
#include "scene/lights.h"

namespace lunabrelle::test {
namespace {

using FrameDriverTest = HostTest;

// Action time seen by an endless action on each frame it runs.
std::vector<double> seen_times;
void record_time(void*) { seen_times.push_back(Action_curent->time); }

void give_timer(Object* node) {
    seen_times.clear();
    Action timer(1, true, 0.0);
    timer.init(record_time, nullptr);
    node->animate.add(timer);
}

// Nodes whose actions ran, in order, and the modelview matrix each saw.
std::vector<Object*> drawn;
std::vector<std::vector<double>> modelviews;
void record_modelview(void*) {
    drawn.push_back(Object_curent);
    modelviews.emplace_back(16, 0.0);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelviews.back().data());
}

void give_recorder(Object* node) {
    Action recorder(1, true, 0.0);
    recorder.init(record_modelview, nullptr);
    node->animate.add(recorder);
}

Object* chain(int links) {
    Object* top = new Object();
    Object* node = top;
    for (int i = 0; i < links; ++i) {
        node->addlink(new Object());
        node = node->links.back();
    }
    return top;
}

TEST_F(FrameDriverTest, ConstructBuildsAnEmptyWorldWithFreshStatics) {
    Config saved;
    saved.show_fps = !saved.show_fps;
    saved.monday_first = !saved.monday_first;
    ASSERT_TRUE(save_config(saved, settings_file()));
    LightPosition[0] = 5.0f;
    LightPosition[3] = 0.0f;
    fps_frames = 77;
    digital_chas = digital_chas2 = digital_min = digital_min2 = digital_sec = digital_ampm = 3;
    calendar_day = 12;
    VirtualClock::set_ms(1234567);

    mac_construct();
    ASSERT_NE(conf, nullptr);
    EXPECT_EQ(conf->show_fps, saved.show_fps);
    EXPECT_EQ(conf->monday_first, saved.monday_first);
    ASSERT_NE(scena, nullptr);
    EXPECT_EQ(scena->width, 10);
    EXPECT_EQ(scena->height, 10);
    EXPECT_EQ(scena->bpp, 32);
    EXPECT_EQ(CURENT_TIME, 1234567u);  // read while the viewport record was made
    for (Object* root : {map, overlay}) {
        ASSERT_NE(root, nullptr);
        EXPECT_TRUE(root->links.empty());
        EXPECT_TRUE(root->models.empty());
        EXPECT_FALSE(root->dead);
        EXPECT_FALSE(root->finished);
    }
    EXPECT_NE(map, overlay);
    EXPECT_EQ(std::vector<float>(LightPosition, LightPosition + 4),
              (std::vector<float>{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(fps_frames, 0);
    for (std::int32_t v : {digital_chas, digital_chas2, digital_min, digital_min2, digital_sec,
                           digital_ampm, calendar_day})
        EXPECT_EQ(v, -1);

    mac_destruct();
    EXPECT_EQ(conf, nullptr);
    EXPECT_EQ(scena, nullptr);
    EXPECT_EQ(map, nullptr);
    EXPECT_EQ(overlay, nullptr);
}

TEST_F(FrameDriverTest, MissingOrBrokenSettingsFileGivesDefaults) {
    const Config defaults;
    mac_construct();
    EXPECT_EQ(conf->show_time, defaults.show_time);
    EXPECT_EQ(conf->show_calendar, defaults.show_calendar);
    EXPECT_EQ(conf->analog_clock, defaults.analog_clock);
    mac_destruct();
    // A folder where the file should be cannot be read as one.
    std::filesystem::create_directory(settings_file());
    mac_construct();
    EXPECT_EQ(conf->show_time, defaults.show_time);
}

TEST_F(FrameDriverTest, FrameClearsPlacesTheCameraAndDrawsBothRoots) {
    mac_construct();
    // Leave other colour and depth values behind, then clear to blue and far.
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(0.25);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClearDepth(1.0);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3.0f, 4.0f, 5.0f);  // left over from earlier drawing
    drawn.clear();
    modelviews.clear();
    give_recorder(overlay);
    give_recorder(map);
    VirtualClock::set_ms(99999);
    EXPECT_EQ(mac_draw_one_frame(), 1);
    EXPECT_EQ(CURENT_TIME, 99999u);
    EXPECT_EQ(drawn, (std::vector<Object*>{map, overlay}));
    const std::vector<double> camera = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -100, 1};
    ASSERT_EQ(modelviews.size(), 2u);
    EXPECT_EQ(modelviews[0], camera);
    EXPECT_EQ(modelviews[1], camera);
    EXPECT_EQ(pixel(10, 10), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    float depth = 0.0f;
    glReadPixels(5, 5, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(FrameDriverTest, StopRightAfterStartDrainsInExactlyOneFrame) {
    mac_construct();
    VirtualClock::readings = 0;
    mac_destruct();
    EXPECT_EQ(VirtualClock::readings, 1);  // one frame, one clock reading
}

TEST_F(FrameDriverTest, DrainTakesOneFrameMoreThanTheDeepestChain) {
    mac_construct();
    map->addlink(chain(1));      // map -> a -> b: two links
    overlay->addlink(chain(3));  // overlay -> a -> b -> c -> d: four links
    VirtualClock::readings = 0;
    drain_roots();
    EXPECT_EQ(VirtualClock::readings, 5);
    // The roots are live again, empty, and the world is still there.
    EXPECT_TRUE(map->links.empty());
    EXPECT_TRUE(overlay->links.empty());
    EXPECT_FALSE(map->dead || map->finished || overlay->dead || overlay->finished);
    EXPECT_NE(conf, nullptr);
    mac_destruct();
    EXPECT_EQ(map, nullptr);
}

TEST_F(FrameDriverTest, ConstructOverAWorldFreesItWithoutDrawing) {
    Config first;
    first.show_fps = false;
    ASSERT_TRUE(save_config(first, settings_file()));
    mac_construct();
    map->addlink(chain(4));
    overlay->addlink(chain(2));
    give_timer(map->links.front());

    Config second = first;
    second.show_fps = true;
    ASSERT_TRUE(save_config(second, settings_file()));
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    VirtualClock::readings = 0;
    mac_construct();
    // Only the new viewport record read the clock: no frame was drawn, no
    // action of the old world ran and the picture was not touched. The old
    // tree is gone (a leak would fail the sanitizer build).
    EXPECT_EQ(VirtualClock::readings, 1);
    EXPECT_TRUE(seen_times.empty());
    EXPECT_EQ(pixel(1, 1), (std::vector<std::uint8_t>{255, 0, 0, 255}));
    EXPECT_TRUE(conf->show_fps);
    EXPECT_TRUE(map->links.empty());
    EXPECT_TRUE(overlay->links.empty());
}

TEST_F(FrameDriverTest, WithoutAWorldNothingIsDrawnOrRead) {
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    CURENT_TIME = 42;
    EXPECT_EQ(mac_draw_one_frame(), 1);
    EXPECT_EQ(DrawGLScene(), 1);
    drain_roots();
    mac_destruct();
    EXPECT_EQ(VirtualClock::readings, 0);
    EXPECT_EQ(CURENT_TIME, 42u);
    EXPECT_EQ(pixel(3, 3), (std::vector<std::uint8_t>{0, 255, 0, 255}));
    // After a world was destroyed, the same.
    mac_construct();
    mac_destruct();
    VirtualClock::readings = 0;
    mac_draw_one_frame();
    EXPECT_EQ(VirtualClock::readings, 0);
}

TEST_F(FrameDriverTest, WorldClockWrapsWithoutAJumpInElapsedTime) {
    const std::uint64_t wrap = std::uint64_t{1} << 32;
    VirtualClock::set_ms(7 * wrap - 10);
    mac_construct();
    give_timer(map);
    VirtualClock::set_ms(7 * wrap - 1);
    mac_draw_one_frame();
    EXPECT_EQ(CURENT_TIME, 0xFFFFFFFFu);
    VirtualClock::set_ms(7 * wrap + 5);
    mac_draw_one_frame();
    EXPECT_EQ(CURENT_TIME, 5u);
    ASSERT_EQ(seen_times.size(), 2u);
    EXPECT_DOUBLE_EQ(seen_times[1] - seen_times[0], 6.0);
}

TEST_F(FrameDriverTest, TwoFramesInOneMillisecondSeeNoElapsedTime) {
    mac_construct();
    give_timer(map);
    VirtualClock::now_us = 1700000001000100;
    mac_draw_one_frame();
    const std::uint32_t first = CURENT_TIME;
    VirtualClock::now_us = 1700000001000999;
    mac_draw_one_frame();
    EXPECT_EQ(CURENT_TIME, first);
    ASSERT_EQ(seen_times.size(), 2u);
    EXPECT_DOUBLE_EQ(seen_times[1], seen_times[0]);
    // Microseconds are truncated, not rounded, into the millisecond.
    VirtualClock::now_us = 1700000001001000;
    mac_draw_one_frame();
    EXPECT_EQ(CURENT_TIME, first + 1);
}

TEST_F(FrameDriverTest, ComputedTexturesFollowTheWorldClockEveryFrame) {
    mac_construct();
    const char* name = "T#Plasma32x16,1,2,3";
    const unsigned texture = texturebase.gen(name);
    ASSERT_NE(texture, 0u);
    const auto picture = [texture] {
        std::vector<std::uint8_t> rgba(32 * 16 * 4);
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    };
    VirtualClock::set_ms(1000);
    mac_draw_one_frame();
    const auto first = picture();
    mac_draw_one_frame();
    EXPECT_EQ(picture(), first);  // same world time, same picture
    VirtualClock::set_ms(1500);
    mac_draw_one_frame();
    EXPECT_NE(picture(), first);
    texturebase.ungen(name);
}

}  // namespace
}  // namespace lunabrelle::test
