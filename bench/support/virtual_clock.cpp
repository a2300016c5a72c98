#include "virtual_clock.h"

#include "platform/render/virtual_clock.h"

namespace lunabrelle::bench {
namespace {

std::int64_t start = kVirtualStartUs;

}  // namespace

void install_virtual_clock(std::int64_t start_us) {
    start = start_us;
    set_virtual_time(start_us);
    lunabrelle::install_virtual_clock();
}

void set_virtual_frame(std::int64_t k) {
    // Rounded to whole microseconds from the start, so no error accumulates.
    set_virtual_time(start + (k * 1'000'000 + 30) / 60);
}

}  // namespace lunabrelle::bench
