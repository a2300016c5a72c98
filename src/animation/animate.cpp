#include "animation/animate.h"

#include <cmath>

#include "host/world_time.h"

Animate::Animate() : now(CURENT_TIME) {}

void Animate::add(Action a) {
    a.set_position(&delta);
    actions.push_back(a);
}

namespace {

// speed * dt truncated toward zero; a product outside the unsigned 32-bit
// range (only possible with an unusual speed) is held at its nearest end.
std::uint32_t scaled_time(double speed, std::uint32_t dt) {
    const double t = std::trunc(speed * static_cast<double>(dt));
    if (!(t > 0.0)) return 0;
    if (t >= 4294967295.0) return 4294967295u;
    return static_cast<std::uint32_t>(t);
}

}  // namespace

void Animate::make() {
    prev = now;
    now = CURENT_TIME;
    delta.empty();
    // Unsigned arithmetic: a world clock that wrapped still gives the small
    // true difference.
    const std::uint32_t dt = scaled_time(speed, now - prev);

    // By index, re-reading the length: functions may append actions (sending a
    // slot of their own node) and those run in this same pass.
    for (std::size_t i = 0; i < actions.size();) {
        if (actions[i].rip()) {
            actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        actions[i].animate(dt);
        ++i;
    }
    delta.move();
}

void Animate::start_id(int id) {
    for (Action& a : actions)
        if (a.get_id() == id) a.start();
}

void Animate::stop_id(int id) {
    for (Action& a : actions)
        if (a.get_id() == id) a.stop();
}

void Animate::set_rip_id(int id) {
    for (Action& a : actions)
        if (a.get_id() == id) a.set_rip();
}
