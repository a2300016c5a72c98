// Numbered slots of prepared commands for one node: action templates, id
// commands and forwards to other nodes' slots. Sending a slot carries them out.
#pragma once

#include <cstdint>
#include <vector>

#include "animation/action.h"

class Animate;
class Event;

struct idmove {
    std::int32_t id;
    std::int32_t command;  // 0 stop, 1 start, 2 rip; anything else does nothing
};

struct event_and_command {
    Event* event;  // not owned
    std::int32_t slot;
};

class Event {
public:
    Event() = default;
    void setup(Animate* a) { animate = a; }

    int create_slot();           // new empty, enabled slot, selected; its number
    bool select_slot(int n);     // selects n when it exists and is enabled
    void add_action(Action a);   // to the selected slot
    void add_idmove(idmove m);
    void add_event_and_command(event_and_command e);

    // Carries out slot n: templates copied into the list, then id commands,
    // then forwards (depth first). A slot that does not exist does nothing.
    void send(int n);

    std::int32_t slot = -1;
    std::vector<Action> actions;
    std::vector<idmove> idmoves;
    std::vector<event_and_command> events;
    std::vector<std::int32_t> enabled;
    std::vector<std::vector<Action>> slot_actions;
    std::vector<std::vector<idmove>> slot_idmoves;
    std::vector<std::vector<event_and_command>> slot_events;
    Animate* animate = nullptr;  // not owned
};
