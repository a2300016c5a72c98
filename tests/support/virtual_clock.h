// A settable clock for tests: installed behind platform::wall_clock and
// platform::calendar_time for the life of the object, with the process's time
// zone set to UTC so that local time equals the clock's UTC reading.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "platform/system/system.h"

namespace lunabrelle::test {

class VirtualClock {
public:
    // UTC, installed, at 1 January 2026 00:00:00.000.
    VirtualClock() {
        setenv("TZ", "UTC", 1);
        tzset();
        set(2026, 1, 1, 0, 0, 0);
        extra_us = 0;
        readings = 0;
        platform::install_clock([] {
            ++readings;
            return platform::WallClock{now_ms / 1000, (now_ms % 1000) * 1000 + extra_us};
        });
    }
    ~VirtualClock() { platform::install_clock(nullptr); }  // back to the real clock
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    // month 1..12; the milliseconds within the second are set to ms.
    void set(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        t.tm_sec = second;
        now_ms = static_cast<std::int64_t>(timegm(&t)) * 1000 + ms;
    }
    void advance_ms(std::int64_t ms) { now_ms += ms; }

    inline static std::int64_t now_ms = 0;  // milliseconds since the epoch
    inline static int extra_us = 0;         // microseconds added to now_ms's reading (0..999)
    inline static int readings = 0;         // readings through the seam since the last reset
};

}  // namespace lunabrelle::test
