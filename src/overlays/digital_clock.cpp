#include "overlays/digital_clock.h"

#include <cstdint>

#include "animation/action.h"
#include "animation/node_hooks.h"
#include "overlays/overlay_statics.h"
#include "overlays/overlay_time.h"
#include "overlays/set_up_move.h"
#include "scene/object.h"

namespace {

constexpr const char* kArchive = "clock.pak";

void make_holder(Object* clock, double x, int selector) {
    Object* holder = new Object;
    holder->coordin.chposition(x, 0.0, 0.0);
    Action watcher(1, true, 0.0);
    watcher.init(digital_clock_change, selector, 0.0, 0.0, 0.0);
    holder->event.create_slot();
    holder->event.add_action(watcher);
    holder->event.send(0);
    holder->addfun(disable_depth_test, nullptr);
    clock->addlink(holder);
}

// One glyph: entry (null for a blank position), dying when value is out of
// date for the watched quantity.
void make_glyph(Object* holder, const char* entry, int watched, int value) {
    Object* glyph = new Object;
    if (entry != nullptr) glyph->add(kArchive, entry);
    Action dying(1, true, 0.0);
    dying.init(digital_clock_die, watched, value, 0.0, 0.0, 0.0);
    glyph->event.create_slot();
    glyph->event.add_action(dying);
    glyph->event.send(0);
    holder->addlink(glyph);
}

// Entry names of the ten digits, indexed by the digit.
constexpr const char* kDigits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

// The hour on a 12-hour dial: 0 and 12 stay as they are, 13..23 become 1..11.
int twelve_hour(int h) { return h > 12 ? h - 12 : h; }

}  // namespace

void init_digital_clock(void*) {
    Object* clock = Object_curent;
    const bool h24 = Action_curent->ipar != 0;
    // A new clock (the scene rebuilt at another size) has shown nothing yet:
    // every position draws its glyph on the first tick, not when it changes.
    digital_chas = digital_chas2 = digital_min = digital_min2 = digital_sec = digital_ampm = -1;

    // The 12-hour plate is wider by the am/pm mark.
    move_node_now(clock, h24 ? -10.0 : -15.186, 1.0, 0.0);
    Object* plate = new Object;
    plate->add(kArchive, h24 ? "podlozka" : "podlozka_am");
    plate->addfun(disable_depth_test, nullptr);
    clock->addlink(plate);

    if (!h24) make_holder(clock, 11.432, 8);
    make_holder(clock, -6.483, h24 ? 1 : 6);
    make_holder(clock, -2.498, h24 ? 2 : 7);
    make_holder(clock, 0.0, 5);
    make_holder(clock, 2.523, 3);
    make_holder(clock, 6.466, 4);
}

void digital_clock_change(void*) {
    refresh_local_time();
    const int h = cur_time->tm_hour;
    const int m = cur_time->tm_min;
    const int s = cur_time->tm_sec;
    Object* holder = Object_curent;

    // Each selector: the value it watches, the global holding the one last
    // shown, the entry to show (null: blank) and the dying action's watch.
    std::int32_t* shown = nullptr;
    int value = 0;
    int watched = 1;
    const char* entry = nullptr;
    switch (Action_curent->ipar) {
    case 1:
        shown = &digital_chas;
        value = h;
        entry = (h / 10 != 0 || h == 0) ? kDigits[(h / 10) % 10] : nullptr;
        break;
    case 2:
        shown = &digital_chas2;
        value = h;
        entry = kDigits[h % 10];
        watched = 2;
        break;
    case 3:
        shown = &digital_min;
        value = m;
        entry = kDigits[(m / 10) % 10];
        watched = 3;
        break;
    case 4:
        shown = &digital_min2;
        value = m;
        entry = kDigits[m % 10];
        watched = 4;
        break;
    case 5:
        shown = &digital_sec;
        value = s;
        entry = (s % 2 != 0) ? "dot" : nullptr;
        watched = 5;
        break;
    case 6: {
        shown = &digital_chas;
        value = h;
        const int k = twelve_hour(h);
        entry = k == 0 ? "1" : (k / 10 != 0 ? kDigits[(k / 10) % 10] : nullptr);
        break;
    }
    case 7: {
        shown = &digital_chas2;
        value = h;
        const int k = twelve_hour(h);
        entry = k == 0 ? "2" : kDigits[k % 10];
        break;
    }
    case 8:
        shown = &digital_ampm;
        value = h;
        entry = h < 12 ? "am" : "pm";
        break;
    default:
        return;
    }
    if (*shown == value) return;
    *shown = value;
    make_glyph(holder, entry, watched, value);
}

void digital_clock_die(void*) {
    refresh_local_time();
    int now = 0;
    switch (Action_curent->ipar) {
    case 1:
    case 2:
        now = cur_time->tm_hour;
        break;
    case 3:
    case 4:
        now = cur_time->tm_min;
        break;
    case 5:
        now = cur_time->tm_sec;
        break;
    default:
        return;
    }
    if (Action_curent->ipar2 != now) Object_curent->del();
}
