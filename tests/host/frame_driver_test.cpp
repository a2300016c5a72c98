// The frame driver: the world's life (construct, frame, drain, destruct) and
// the world clock, on a real context and the virtual clock.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "animation/action.h"
#include "host/frame_driver.h"
#include "host/host_fixture.h"
#include "host/singletons.h"
#include "host/world_time.h"

namespace lunabrelle::test {
namespace {

using FrameDriverTest = HostTest;
using Rgba = std::vector<std::uint8_t>;

// Per run of an endless action: the node, its action time, its modelview.
struct Run { Object* node; double time; std::vector<double> modelview; };
std::vector<Run> runs;
void record(void*) {
    runs.push_back({Object_curent, Action_curent->time, std::vector<double>(16)});
    glGetDoublev(GL_MODELVIEW_MATRIX, runs.back().modelview.data());
}
void give_recorder(Object* node) {
    runs.clear();
    Action a(1, true, 0.0);
    a.init(record, nullptr);
    node->animate.add(a);
}

Object* chain(int links) {
    Object* top = new Object();
    for (Object* node = top; links-- > 0; node = node->links.back()) node->addlink(new Object());
    return top;
}

// One world's life: frames on the world clock, a drain, and a new world over
// the old one.
TEST_F(FrameDriverTest, FramesDrawMeadowThenOverlayFromTheCameraOnWholeMillisecondsDrainsAndANewWorldFreesTheOld) {
    const std::int64_t wrap = std::int64_t{1} << 32;
    VirtualClock::now_ms = 7 * wrap - 10;
    mac_construct();
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 1, 1);
    glTranslatef(3, 4, 5);  // left over from earlier drawing
    give_recorder(overlay);
    give_recorder(map);
    const unsigned texture = texturebase.gen("T#Plasma300x2,1,2,3");  // wider than the plasma's column block
    const auto picture = [texture] {
        Rgba rgba(300 * 2 * 4);
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    };
    // The world clock wraps without a jump and keeps whole milliseconds.
    const struct { std::int64_t ms; int us; std::uint32_t world; double elapsed; } steps[] = {
        {7 * wrap - 1, 999, 0xFFFFFFFFu, 0}, {7 * wrap - 1, 0, 0xFFFFFFFFu, 0}, {7 * wrap + 5, 0, 5u, 6}};
    std::vector<Rgba> pictures;
    for (const auto& s : steps) {
        VirtualClock::now_ms = s.ms;
        VirtualClock::extra_us = s.us;
        mac_draw_one_frame();
        EXPECT_EQ(CURENT_TIME, s.world);
        EXPECT_DOUBLE_EQ(runs.back().time - runs.front().time, s.elapsed);
        pictures.push_back(picture());
    }
    EXPECT_EQ(pictures[1], pictures[0]);  // same world time, same picture
    EXPECT_NE(pictures[2], pictures[1]);
    texturebase.ungen("T#Plasma300x2,1,2,3");
    EXPECT_TRUE(runs[0].node == map && runs[1].node == overlay);
    const std::vector<double> camera = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -100, 1};
    EXPECT_TRUE(runs[0].modelview == camera && runs[1].modelview == camera);
    EXPECT_EQ(pixel(10, 10), (Rgba{0, 0, 255, 255}));
    map->addlink(chain(1));
    overlay->addlink(chain(3));  // four links deep
    VirtualClock::readings = 0;
    drain_roots();
    EXPECT_EQ(VirtualClock::readings, 5);
    EXPECT_TRUE(map->links.empty() && overlay->links.empty());
    EXPECT_FALSE(map->dead || map->finished || overlay->dead || overlay->finished);
    map->addlink(chain(4));  // freed at once by a new world (a leak fails the sanitizer build), not drawn
    give_recorder(map->links.front());
    VirtualClock::now_ms = 1234567;
    mac_construct();
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(CURENT_TIME, 1234567u);
}

}  // namespace
}  // namespace lunabrelle::test
