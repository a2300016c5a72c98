// Settings reader on arbitrary file bytes. Whatever it reads must write and
// read back to the same record.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_setup.h"
#include "settings/config.h"

namespace {

bool same(const Config& a, const Config& b) {
    return a.show_fps == b.show_fps && a.show_time == b.show_time && a.analog_clock == b.analog_clock &&
           a.time_24h == b.time_24h && a.big_clock == b.big_clock && a.show_calendar == b.show_calendar &&
           a.monday_first == b.monday_first && a.extra_flag == b.extra_flag &&
           a.extra_value == b.extra_value && a.display_mode == b.display_mode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    const Config config(in);

    // The display-mode table answers for any index.
    const int width = config.ret_x_resolution();
    const int height = config.ret_y_resolution();
    const int bpp = config.ret_bpp();
    require((width == 0) == (height == 0) && (bpp == 0 || bpp == 32), "display modes are whole rows");

    std::ostringstream out(std::ios::binary);
    require(config.save(out), "settings write to memory");
    require(out.str().size() == 28, "the written layout is 28 bytes");
    std::istringstream back(out.str(), std::ios::binary);
    require(same(Config(back), config), "writing and reading keep the settings");
    return 0;
}
