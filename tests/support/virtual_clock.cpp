#include "support/virtual_clock.h"

#include <cstdlib>
#include <ctime>

#include "platform/system/system.h"

namespace lunabrelle::test {

std::int64_t VirtualClock::now_ms = 0;
int VirtualClock::extra_us = 0;
int VirtualClock::readings = 0;

VirtualClock::VirtualClock() {
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

VirtualClock::~VirtualClock() { platform::install_clock(nullptr); }

void VirtualClock::set(int year, int month, int day, int hour, int minute, int second, int ms) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    now_ms = static_cast<std::int64_t>(timegm(&t)) * 1000 + ms;
}

void VirtualClock::advance_ms(std::int64_t ms) { now_ms += ms; }

}  // namespace lunabrelle::test
