#include "platform/x11/visual_request.h"

#include <cctype>

#include "platform/x11/options.h"

namespace lunabrelle::x11 {
namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

int choose_requested_config(const std::vector<FbConfigTraits>& configs, int default_depth,
                            const std::string& request, std::string* note) {
    const int fallback = choose_own_window_config(configs, default_depth);
    const std::string name = lower(request);
    if (name.empty() || name == "default" || name == "best" || name == "gl") return fallback;
    unsigned long id = 0;
    if (!parse_window_id(request, &id)) {
        *note = "-visual " + request + ": only default, best or a visual id suit OpenGL here; using the default";
        return fallback;
    }
    const int chosen = choose_config_for_visual(configs, id);
    if (chosen < 0 || !configs[chosen].true_color) {
        *note = "-visual " + request + ": this visual has no OpenGL configuration to draw a window in; using the default";
        return fallback;
    }
    return chosen;
}

}  // namespace lunabrelle::x11
