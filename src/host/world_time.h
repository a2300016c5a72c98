// The world clock: wall-clock milliseconds modulo 2^32, read once per frame.
#pragma once

#include <cstdint>

extern std::uint32_t CURENT_TIME;

// Reads the wall clock through the platform seam into CURENT_TIME.
void update_world_time();
