// The measuring runs' 60 Hz grid on the renderer's virtual clock: every run
// sees the same times (and so draws the same glyphs and builds the same
// nodes), and frame k sees its start plus k sixtieths of a second however
// long drawing takes, as the saver does under a 60 Hz host.
#pragma once

#include <cstdint>

namespace lunabrelle::bench {

// Microseconds since the epoch at which measuring runs start: a fixed
// weekday morning, so that every digit position of the clocks is in use.
inline constexpr std::int64_t kVirtualStartUs = 1'781'000'000'000'000;

// Installs the virtual clock as the system's wall clock, reading start_us.
void install_virtual_clock(std::int64_t start_us = kVirtualStartUs);

// Sets the virtual clock to frame k of a 60 Hz run that began at its start.
void set_virtual_frame(std::int64_t k);

}  // namespace lunabrelle::bench
