#include "overlay_settings.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace lunabrelle::bench {

bool parse_overlays(const std::string& text, Overlays* out) {
    for (Overlays o : {Overlays::none, Overlays::digital, Overlays::analog}) {
        if (text == overlays_name(o)) {
            *out = o;
            return true;
        }
    }
    return false;
}

const char* overlays_name(Overlays overlays) {
    switch (overlays) {
    case Overlays::none: return "none";
    case Overlays::digital: return "digital";
    case Overlays::analog: return "analog";
    }
    return "none";
}

Config overlay_config(Overlays overlays) {
    Config config;
    const bool on = overlays != Overlays::none;
    config.show_fps = config.show_time = config.show_calendar = on;
    config.analog_clock = overlays == Overlays::analog;
    return config;
}

bool write_overlay_settings(Overlays overlays, const std::string& path) {
    return save_config(overlay_config(overlays), path);
}

std::string temporary_overlay_settings(Overlays overlays) {
    std::error_code ec;
    const auto folder = std::filesystem::temp_directory_path(ec);
    if (ec) return {};
    // One file per process: parallel runs must not rename over each other.
    const auto path = folder / ("lunabrelle-bench-" + std::string(overlays_name(overlays)) + "-" +
                                std::to_string(getpid()) + ".cfg");
    return write_overlay_settings(overlays, path.string()) ? path.string() : std::string();
}

}  // namespace lunabrelle::bench
