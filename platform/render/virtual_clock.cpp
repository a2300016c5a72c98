#include "platform/render/virtual_clock.h"

#include "platform/system/system.h"

namespace lunabrelle {
namespace {

std::int64_t now_us = 0;

platform::WallClock read_virtual_clock() {
    // Floor division: times before 1970 still get microseconds in 0 .. 999999.
    std::int64_t seconds = now_us / 1000000;
    if (now_us % 1000000 < 0) --seconds;
    return {seconds, now_us - seconds * 1000000};
}

}  // namespace

void set_virtual_time(std::int64_t microseconds) { now_us = microseconds; }

std::int64_t virtual_time() { return now_us; }

void advance_virtual_time(std::int64_t microseconds) { now_us += microseconds; }

void install_virtual_clock() { platform::install_clock(read_virtual_clock); }

void remove_virtual_clock() { platform::install_clock(nullptr); }

}  // namespace lunabrelle
