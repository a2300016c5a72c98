// Computed-texture name parser on arbitrary names, against a small and an
// unbounded largest size: an accepted name describes a texture that can be
// allocated as the registry does.
#include <climits>
#include <string_view>

#include "fuzz_setup.h"
#include "textures/texture_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    for (const int max_size : {256, INT_MAX}) {
        std::string why;
        const auto parsed = parse_texture_name({reinterpret_cast<const char*>(data), size}, max_size, &why);
        require(parsed || !why.empty(), "a refused name says why");
        if (!parsed) continue;
        const int min_height = parsed->kind == TextureKind::fire ? 2 : 1;
        require(parsed->width >= 1 && parsed->width <= max_size, "width within 1 .. max_size");
        require(parsed->height >= min_height && parsed->height <= max_size, "height within its minimum .. max_size");
        require(std::int64_t(parsed->width) * parsed->height * 4 <= INT32_MAX, "the pixel buffer size fits in 32 bits");
    }
    return 0;
}
