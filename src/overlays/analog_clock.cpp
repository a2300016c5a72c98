#include "overlays/analog_clock.h"

#include "animation/action.h"
#include "animation/node_hooks.h"
#include "overlays/overlay_time.h"
#include "overlays/set_up_move.h"
#include "scene/object.h"

namespace {

constexpr const char* kArchive = "clock.pak";

void make_hand(Object* clock, const char* entry, int selector) {
    Object* hand = new Object;
    hand->add(kArchive, entry);
    Action turner(1, true, 0.0);
    turner.init(analog_clock_rot, selector, 0.0, 0.0, 0.0);
    hand->event.create_slot();
    hand->event.add_action(turner);
    hand->event.send(0);
    hand->addfun(disable_depth_test, nullptr);
    clock->addlink(hand);
}

}  // namespace

void init_analog_clock(void*) {
    Object* clock = Object_curent;
    move_node_now(clock, -9.3, 9.0, 0.0);

    Object* dial = new Object;
    dial->add(kArchive, "ciferblat");
    dial->addfun(disable_depth_test, nullptr);
    clock->addlink(dial);

    make_hand(clock, "sec", 1);
    make_hand(clock, "min", 2);
    make_hand(clock, "chas", 3);
}

void analog_clock_rot(void*) {
    refresh_local_time();
    int angle = 0;
    switch (Action_curent->ipar) {
    case 1:
        angle = -6 * cur_time->tm_sec;
        break;
    case 2:
        angle = -6 * cur_time->tm_min;
        break;
    case 3:
        angle = -30 * cur_time->tm_hour - cur_time->tm_min / 2;
        break;
    default:
        return;
    }
    if (Action_curent->position != nullptr)
        Action_curent->position->chrot(0.0, 0.0, static_cast<double>(angle));
}
