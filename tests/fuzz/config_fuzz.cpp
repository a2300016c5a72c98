// Settings reader on arbitrary file bytes: what it reads has a whole display
// mode and writes and reads back to the same 28 bytes.
#include <sstream>

#include "fuzz_setup.h"
#include "settings/config.h"

namespace {

std::string saved(const Config& config) {
    std::ostringstream out(std::ios::binary);
    lunabrelle::fuzz::require(config.save(out), "settings write to memory");
    return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    const Config config(in);
    const int width = config.ret_x_resolution(), bpp = config.ret_bpp();
    require((width == 0) == (config.ret_y_resolution() == 0) && (bpp == 0 || bpp == 32), "display modes are whole rows");
    const std::string bytes = saved(config);
    require(bytes.size() == 28, "the written layout is 28 bytes");
    std::istringstream back(bytes, std::ios::binary);
    require(saved(Config(back)) == bytes, "writing and reading keep the settings");
    return 0;
}
