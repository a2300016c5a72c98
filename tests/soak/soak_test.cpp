// Two days and more of virtual time per time zone with every overlay shown:
// midnights, a month end, a year end, both daylight-saving changes and a clock
// set back an hour and forward a day. The virtual clock moves a minute per
// frame where nothing but the minute changes and one sixtieth of a second per
// frame for a few seconds around every other turn of the local time. The
// scene must stay the same size, GL must report no error, the heap must not
// grow, and each stop must return every archive, texture and descriptor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/render/virtual_clock.h"
#include "soak/built_saver.h"

namespace lunabrelle::test {
namespace {

constexpr std::int64_t kSecond = 1000000;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;
constexpr std::int64_t kFrame = kSecond / 60;
// Frame by frame this long before and after every turn of the local time.
constexpr std::int64_t kAround = 2 * kSecond;
// Heap that may differ between two readings of a running world: glyphs of
// other digits, the GL driver's caches.
constexpr std::int64_t kHeapSlack = 512 * 1024;
// Nodes a world may hold beyond its settled count while glyphs, digits and
// calendar pages are replaced: a page (about fifty nodes) drains over a few
// frames while the next one is up.
constexpr int kNodeSlack = 80;

// A stretch of running: hours of virtual time from where the clock stands,
// then the clock moved by jump (none: 0).
struct Leg {
    int hours;
    std::int64_t jump;
};

// A run of the saver from a local start time, with the clock style it shows.
struct Window {
    int year, month, day, hour;
    bool analog;
    std::vector<Leg> legs;
};

std::int64_t local_start(const Window& w) {
    std::tm t{};
    t.tm_year = w.year - 1900;
    t.tm_mon = w.month - 1;
    t.tm_mday = w.day;
    t.tm_hour = w.hour;
    t.tm_isdst = -1;
    return static_cast<std::int64_t>(mktime(&t)) * kSecond;
}

std::tm local(std::int64_t us) {
    const std::time_t t = static_cast<std::time_t>(us / kSecond);
    std::tm out{};
    localtime_r(&t, &out);
    return out;
}

// Whole minutes in (from, to] at which the local date or the daylight-saving
// flag differs from the minute before. The zones run here change both on
// whole minutes.
std::vector<std::int64_t> turns_between(std::int64_t from, std::int64_t to) {
    std::vector<std::int64_t> out;
    std::int64_t t = (from / kMinute + 1) * kMinute;
    std::tm before = local(t - kMinute);
    for (; t <= to; t += kMinute) {
        const std::tm now = local(t);
        if (now.tm_mday != before.tm_mday || now.tm_isdst != before.tm_isdst) out.push_back(t);
        before = now;
    }
    return out;
}

class SoakTest : public BuiltSaverTest {
protected:
    void tick() {
        frame();
        ++frames_;
        largest_ = std::max(largest_, world_nodes());
    }
    // Minute steps up to to (the last one shorter), one frame each.
    void coarse_to(std::int64_t to) {
        while (virtual_time() + kMinute <= to) {
            advance_virtual_time(kMinute);
            tick();
        }
        if (virtual_time() < to) {
            set_virtual_time(to);
            tick();
        }
    }
    void fine_to(std::int64_t to) {
        while (virtual_time() < to) {
            advance_virtual_time(kFrame);
            tick();
        }
    }

    void run(const Window& w, int index) {
        Config settings;
        settings.show_time = true;
        settings.analog_clock = w.analog;
        settings.time_24h = index % 2 == 0;
        settings.big_clock = true;
        settings.show_calendar = true;
        settings.monday_first = index % 2 != 0;
        settings.show_fps = true;
        save_settings(settings);

        set_virtual_time(local_start(w));
        view_.startAnimation();
        // The first hour settles the scene: the flyers' builders have run,
        // the first digits and the calendar page are up.
        tick();
        coarse_to(virtual_time() + kHour);
        const int settled = world_nodes();
        const std::int64_t heap_settled = allocated_bytes();
        largest_ = settled;

        for (const Leg& leg : w.legs) {
            const std::int64_t end = virtual_time() + leg.hours * kHour;
            for (std::int64_t turn : turns_between(virtual_time(), end)) {
                coarse_to(turn - kAround);
                fine_to(turn + kAround);
            }
            coarse_to(end - kAround);
            fine_to(end);
            run_us_ += leg.hours * kHour;
            if (leg.jump != 0) {
                advance_virtual_time(leg.jump);
                tick();
                fine_to(virtual_time() + kAround);
            }
        }
        // A last hour of minute steps, like the one the heap was first read after.
        coarse_to(virtual_time() + kHour);
        EXPECT_LE(largest_, settled + kNodeSlack) << "window " << index;
        EXPECT_LE(world_nodes(), settled + kNodeSlack) << "window " << index;
        EXPECT_LE(allocated_bytes(), heap_settled + kHeapSlack)
            << "window " << index << ": heap grew from " << heap_settled;
        view_.stopAnimation();

        EXPECT_EQ(world_nodes(), 0);
        EXPECT_EQ(open_archives(), 0) << "window " << index;
        EXPECT_EQ(archive_references(), 0);
        EXPECT_EQ(computed_textures(), 0);
        EXPECT_EQ(live_texture_names(), textures_before_) << "window " << index;
        EXPECT_EQ(open_descriptors(), descriptors_before_) << "window " << index;
    }

    void soak(const char* zone, const std::vector<Window>& windows) {
        use_zone(zone);
        textures_before_ = live_texture_names();
        descriptors_before_ = open_descriptors();
        for (std::size_t i = 0; i < windows.size(); ++i) run(windows[i], static_cast<int>(i));
        EXPECT_EQ(gl_errors_, 0) << "first GL error 0x" << std::hex << first_gl_error_;
        EXPECT_GE(run_us_, 48 * kHour);
        RecordProperty("frames", frames_);
    }

    int frames_ = 0;
    int largest_ = 0;
    std::int64_t run_us_ = 0;
    int textures_before_ = 0;
    int descriptors_before_ = 0;
};

// The year's end, with the clock set back an hour on the last morning of the
// year and forward a day on the first of the new one.
Window year_end(bool analog) {
    return {2026, 12, 30, 20, analog, {{13, -kHour}, {26, kDay}, {7, 0}}};
}

TEST_F(SoakTest, BerlinOverYearEndAndBothClockChanges) {
    soak("Europe/Berlin", {
        year_end(false),
        // Summer time begins on 31 March 2030, the last day of the month.
        {2030, 3, 30, 12, true, {{36, 0}}},
        // Winter time returns on 31 October 2027, the last day of the month.
        {2027, 10, 30, 12, false, {{36, 0}}},
    });
}

TEST_F(SoakTest, NewYorkOverYearEndAndBothClockChanges) {
    soak("America/New_York", {
        year_end(true),
        // Daylight time begins on the second Sunday of March.
        {2027, 3, 13, 12, false, {{36, 0}}},
        // Standard time returns on 1 November 2026, the day after a month end.
        {2026, 10, 31, 12, true, {{36, 0}}},
    });
}

}  // namespace
}  // namespace lunabrelle::test
