// A settable clock for tests: installed behind platform::wall_clock and
// platform::calendar_time for the life of the object, with the process's time
// zone set to UTC so that local time equals the clock's UTC reading.
#pragma once

#include <cstdint>

namespace lunabrelle::test {

class VirtualClock {
public:
    VirtualClock();   // UTC, installed, at 1 January 2026 00:00:00.000
    ~VirtualClock();  // back to the real clock
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    // month 1..12; the milliseconds within the second are set to ms.
    void set(int year, int month, int day, int hour, int minute, int second, int ms = 0);
    void advance_ms(std::int64_t ms);

    static std::int64_t now_ms;  // milliseconds since the epoch
    static int extra_us;         // microseconds added to now_ms's reading (0..999)
    static int readings;         // readings through the seam since the last reset
};

}  // namespace lunabrelle::test
