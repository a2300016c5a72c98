#include "platform/x11/fb_config_choice.h"

#include <tuple>

namespace lunabrelle::x11 {
namespace {

bool drawable(const FbConfigTraits& c) { return c.visual_id != 0 && c.rgba && c.window_bit; }

// Larger is better, compared field by field: double buffering, a full depth
// buffer (the scene is 3D), no caveat, 8 bits of alpha, then the cheapest
// (least depth beyond 24, no stencil, no multisampling).
auto rank(const FbConfigTraits& c) {
    const int depth_ok = c.depth >= 24 ? 2 : c.depth > 0 ? 1 : 0;
    return std::make_tuple(c.double_buffered, depth_ok, !c.slow, c.alpha >= 8,
                           depth_ok == 2 ? -c.depth : c.depth, -c.stencil, -c.samples);
}

template <class Accept>
int best(const std::vector<FbConfigTraits>& configs, Accept accept) {
    int chosen = -1;
    for (int i = 0; i < static_cast<int>(configs.size()); ++i) {
        if (!drawable(configs[i]) || !accept(configs[i])) continue;
        if (chosen < 0 || rank(configs[i]) > rank(configs[chosen])) chosen = i;
    }
    return chosen;
}

}  // namespace

int choose_own_window_config(const std::vector<FbConfigTraits>& configs, int default_depth) {
    const auto full_colour = [](const FbConfigTraits& c) {
        return c.true_color && c.red >= 8 && c.green >= 8 && c.blue >= 8;
    };
    const int opaque = best(configs, [&](const FbConfigTraits& c) {
        return full_colour(c) && c.double_buffered && c.visual_depth == default_depth;
    });
    if (opaque >= 0) return opaque;
    // No such visual at the default depth: any double-buffered one, then any.
    const int doubled = best(configs, [&](const FbConfigTraits& c) { return full_colour(c) && c.double_buffered; });
    if (doubled >= 0) return doubled;
    return best(configs, [&](const FbConfigTraits& c) { return full_colour(c); });
}

int choose_config_for_visual(const std::vector<FbConfigTraits>& configs, unsigned long visual_id) {
    return best(configs, [&](const FbConfigTraits& c) { return c.visual_id == visual_id; });
}

}  // namespace lunabrelle::x11
