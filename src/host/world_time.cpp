#include "host/world_time.h"

#include "platform/system/system.h"

std::uint32_t CURENT_TIME = 0;

void update_world_time() {
    const platform::WallClock now = platform::wall_clock();
    // Only the low 32 bits are kept; users subtract in unsigned arithmetic.
    const auto ms = static_cast<std::uint64_t>(now.seconds) * 1000u +
                    static_cast<std::uint64_t>(now.microseconds / 1000);
    CURENT_TIME = static_cast<std::uint32_t>(ms);
}
