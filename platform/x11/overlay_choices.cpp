#include "platform/x11/overlay_choices.h"

namespace lunabrelle::x11 {

void apply_overlay_choices(const Options& options, Config* config) {
    const auto set = [](const std::optional<bool>& choice, bool* field) {
        if (choice) *field = *choice;
    };
    set(options.show_fps, &config->show_fps);
    set(options.show_time, &config->show_time);
    set(options.analog_clock, &config->analog_clock);
    set(options.time_24h, &config->time_24h);
    set(options.big_clock, &config->big_clock);
    set(options.show_calendar, &config->show_calendar);
    set(options.monday_first, &config->monday_first);
}

}  // namespace lunabrelle::x11
