// Long runs of the whole saver as lunabrelle-render hosts it (the build's
// archives, a headless view, the virtual clock, a private settings file, a
// fixed seed): days of virtual time in a zone with daylight saving, and a
// thousand start / resize / stop cycles. GL must report no error, the heap
// must not grow, and each stop must return every archive, texture name and
// descriptor it took.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "host/saver_view.h"
#include "host/singletons.h"
#include "platform/render/headless_surface.h"
#include "platform/render/render_options.h"
#include "platform/render/virtual_clock.h"
#include "platform/system/system.h"
#include "settings/config.h"
#include "support/meadow_world_test.h"
#include "support/process.h"
#include "support/temp_folder.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count (GCC ships the runtime but not its headers).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace lunabrelle::test {
namespace {

constexpr std::int64_t kSecond = 1000000, kMinute = 60 * kSecond, kHour = 60 * kMinute, kDay = 24 * kHour;
constexpr std::int64_t kFrame = kSecond / 60;

int world_nodes() { return (map != nullptr ? count_nodes(map) : 0) + (overlay != nullptr ? count_nodes(overlay) : 0); }

int live_texture_names() {
    // A driver that reuses freed names keeps them low; one that counts up
    // hands out a name above every name in use. The scan covers both.
    GLuint next = 0;
    glGenTextures(1, &next);
    glDeleteTextures(1, &next);
    int n = 0;
    for (GLuint name = 1; name <= std::max<GLuint>(next, 4096); ++name) n += glIsTexture(name) ? 1 : 0;
    return n;
}

int open_descriptors() {
    const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<int>(std::distance(fds, {}));
}

std::int64_t allocated_bytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 m = mallinfo2();  // mapped chunks too: large pixel buffers
    return static_cast<std::int64_t>(m.uordblks + m.hblkhd);
#endif
}

// What a stopped saver must have given back.
struct Holdings {
    std::int64_t heap;
    int textures, descriptors;
};
Holdings holdings() { return {allocated_bytes(), live_texture_names(), open_descriptors()}; }

class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string resources = build_dir() + "/resources";
        ASSERT_TRUE(std::filesystem::is_regular_file(resources + "/main.pak")) << resources;
        // Without rasterizer threads the GL driver keeps the same buffers after
        // the same frames, so heap readings compare; the pixels do not change.
        setenv("LP_NUM_THREADS", "0", 1);
        install_virtual_clock();
        set_virtual_time(0);
        seed_random(20261231);
        platform::set_resource_folder(resources);
        platform::set_settings_path(folder.file("settings.cfg"));
        ASSERT_TRUE(view.initWithFrame(64, 48, false, &surface)) << surface.error;
        view.setFrameSize(64, 48);
    }
    void TearDown() override {
        if (view.isAnimating()) view.stopAnimation();
        remove_virtual_clock();
        use_zone("UTC");
        EXPECT_EQ(gl_errors, 0) << "first GL error 0x" << std::hex << first_gl_error;
    }
    static void use_zone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    void frame() {  // at the clock's reading; counts a GL error
        view.animateOneFrame();
        const GLenum error = glGetError();
        if (error != GL_NO_ERROR && gl_errors++ == 0) first_gl_error = error;
        largest = std::max(largest, world_nodes());
    }
    void stop_and_expect_everything_back(const Holdings& before, const std::string& where) {
        view.stopAnimation();
        EXPECT_EQ(world_nodes(), 0) << where;
        EXPECT_EQ(media.packs.size(), 0u) << where;
        EXPECT_EQ(std::count_if(media.refs.begin(), media.refs.end(), [](auto r) { return r != 0; }), 0) << where;
        EXPECT_EQ(texturebase.generators.size(), 0u) << where;
        EXPECT_EQ(live_texture_names(), before.textures) << where;
        EXPECT_EQ(open_descriptors(), before.descriptors) << where;
    }
    // Steps of step up to to (the last one shorter), one frame each.
    void step_to(std::int64_t to, std::int64_t step) {
        for (; virtual_time() < to; frame()) advance_virtual_time(std::min(step, to - virtual_time()));
    }

    TempFolder folder;
    HeadlessSurface surface;
    quorvixlunabrelle view;
    int gl_errors = 0, largest = 0;
    unsigned first_gl_error = 0;
};

std::tm local(std::int64_t us) {
    const std::time_t t = static_cast<std::time_t>(us / kSecond);
    std::tm out{};
    localtime_r(&t, &out);
    return out;
}

// A run from a local start time: stretches of hours, each followed by a jump
// of the clock (none: 0).
struct Window {
    const char* start;  // YYYY-MM-DD HH:MM:SS
    bool analog;
    std::vector<std::pair<int, std::int64_t>> legs;
};

// Every overlay shown over midnights, a month end, a year end, both
// daylight-saving changes and a clock set back an hour and forward a day: a
// minute per frame, a sixtieth of a second per frame for two seconds either
// side of every turn of the local date or of daylight saving and after every
// jump. The scene must stay the same size.
class TimeSoak : public Soak {
protected:
    void run(const Window& w, int index, const Holdings& before) {
        SCOPED_TRACE(index);
        Config settings;
        settings.show_time = settings.big_clock = settings.show_calendar = settings.show_fps = true;
        settings.analog_clock = w.analog;
        settings.time_24h = index != 2;
        settings.monday_first = index % 2 != 0;
        ASSERT_TRUE(save_config(settings, folder.file("settings.cfg")));
        std::time_t start = 0;
        ASSERT_TRUE(parse_local_time(w.start, &start));
        set_virtual_time(static_cast<std::int64_t>(start) * kSecond);
        view.startAnimation();
        // The first hour settles the scene: the flyers' builders have run,
        // the first digits and the calendar page are up.
        frame();
        step_to(virtual_time() + kHour, kMinute);
        const int settled = largest = world_nodes();
        const std::int64_t heap_settled = allocated_bytes();
        for (const auto& [hours, jump] : w.legs) {
            // The zone turns its dates and daylight saving on whole hours.
            const std::int64_t from = virtual_time() / kHour * kHour;
            for (std::int64_t hour = from + kHour; hour <= from + hours * kHour; hour += kHour) {
                const std::tm before = local(hour - kSecond), after = local(hour);
                const bool turn = before.tm_mday != after.tm_mday || before.tm_isdst != after.tm_isdst;
                step_to(hour - (turn ? 2 * kSecond : 0), kMinute);
                if (turn) step_to(hour + 2 * kSecond, kFrame);
            }
            if (jump != 0) {
                advance_virtual_time(jump);
                frame();
                step_to(virtual_time() + 2 * kSecond, kFrame);
            }
        }
        step_to(virtual_time() + kHour, kMinute);  // like the hour the heap was first read after
        // Glyphs, digits and calendar pages are replaced on the way: a page
        // (about fifty nodes) drains over a few frames while the next is up;
        // the heap holds glyphs of other digits and the GL driver's caches.
        EXPECT_LE(largest, settled + 80);  // the last frame's too
        EXPECT_LE(allocated_bytes(), heap_settled + 512 * 1024) << "heap grew from " << heap_settled;
        stop_and_expect_everything_back(before, "window " + std::to_string(index));
    }
};

// The year's end (a 24-hour digital clock), with the clock set back an hour
// on the last morning of the year and forward a day on the first of the new
// one; summer time (an analog clock) and winter time (a 12-hour digital one).
TEST_F(TimeSoak, BerlinOverYearEndAndBothClockChanges) {
    use_zone("Europe/Berlin");
    const Holdings before = holdings();
    const Window windows[] = {{"2026-12-30 20:00:00", false, {{13, -kHour}, {26, kDay}, {7, 0}}},
                              {"2030-03-30 12:00:00", true, {{36, 0}}},    // summer time from 31 March, a month's end
                              {"2027-10-30 12:00:00", false, {{36, 0}}}};  // winter time from 31 October, likewise
    for (int i = 0; i < 3; ++i) run(windows[i], i, before);
}

// The rounds repeat their settings and sizes every 40 rounds; a first whole
// cycle lets the GL driver build what each combination needs once, and the
// storm ends on the combination it starts after. Each overlay switch follows
// its own bit of the round.
TEST_F(Soak, AThousandStartResizeStopCyclesReturnWhatTheyTook) {
    set_virtual_time(INT64_C(1798761600) * kSecond);  // 1 January 2027 UTC
    Holdings before{};
    for (int i = 0; i < 40 + 1000; ++i) {
        if (i == 40) before = holdings();
        const int b = i % 40;
        Config c;
        c.show_time = b & 1, c.analog_clock = b & 2, c.show_calendar = b & 4, c.show_fps = b & 8;
        c.time_24h = b & 16, c.big_clock = !(b & 32), c.monday_first = b % 3 == 0;
        ASSERT_TRUE(save_config(c, folder.file("settings.cfg")));
        view.startAnimation();
        for (int k = 0; k < 4; ++k) {
            if (k == 2) view.setFrameSize(i % 2 ? 48 : 32, i % 5 ? 24 : 36);
            advance_virtual_time(16667);
            frame();
        }
        view.stopAnimation();
        ASSERT_EQ(world_nodes() + media.packs.size() + texturebase.generators.size(), 0u) << "round " << i;
    }
    const Holdings after = holdings();
    EXPECT_EQ(after.textures, before.textures);
    EXPECT_EQ(after.descriptors, before.descriptors);
    // Allocator bookkeeping may differ; nothing that grows with the rounds.
    EXPECT_LE(after.heap, before.heap + 128 * 1024) << "heap grew from " << before.heap << " to " << after.heap;
}

}  // namespace
}  // namespace lunabrelle::test
