#include "virtual_clock.h"

#include "platform/system/system.h"

namespace lunabrelle::bench {
namespace {

std::int64_t start = kVirtualStartUs;
platform::WallClock now;

platform::WallClock read_now() { return now; }

void set_now(std::int64_t us) {
    now.seconds = us / 1'000'000;
    now.microseconds = us % 1'000'000;
}

}  // namespace

void install_virtual_clock(std::int64_t start_us) {
    start = start_us;
    set_now(start_us);
    platform::install_clock(read_now);
}

void set_virtual_frame(std::int64_t k) {
    // Rounded to whole microseconds from the start, so no error accumulates.
    set_now(start + (k * 1'000'000 + 30) / 60);
}

}  // namespace lunabrelle::bench
