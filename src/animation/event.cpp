#include "animation/event.h"

#include "animation/animate.h"

int Event::create_slot() {
    enabled.push_back(1);
    slot = static_cast<std::int32_t>(enabled.size()) - 1;
    slot_actions.push_back(actions);
    slot_idmoves.push_back(idmoves);
    slot_events.push_back(events);
    return slot;
}

namespace {

bool exists(const std::vector<std::int32_t>& enabled, int n) {
    return n >= 0 && static_cast<std::size_t>(n) < enabled.size();
}

}  // namespace

bool Event::select_slot(int n) {
    if (!exists(enabled, n) || enabled[n] != 1) return false;
    slot = n;
    return true;
}

// Without a selected slot (no create_slot yet) the add_ operations do nothing.
void Event::add_action(Action a) {
    if (exists(enabled, slot)) slot_actions[slot].push_back(a);
}

void Event::add_idmove(idmove m) {
    if (exists(enabled, slot)) slot_idmoves[slot].push_back(m);
}

void Event::add_event_and_command(event_and_command e) {
    if (exists(enabled, slot)) slot_events[slot].push_back(e);
}

void Event::send(int n) {
    if (!exists(enabled, n) || enabled[n] == 0) return;
    if (animate != nullptr) {
        // Templates first, so id commands of the same slot reach the new copies.
        for (const Action& a : slot_actions[n]) animate->add(a);
        for (const idmove& m : slot_idmoves[n]) {
            switch (m.command) {
                case 0: animate->stop_id(m.id); break;
                case 1: animate->start_id(m.id); break;
                case 2: animate->set_rip_id(m.id); break;
                default: break;
            }
        }
    }
    for (const event_and_command& e : slot_events[n])
        if (e.event != nullptr) e.event->send(e.slot);
}
