#include "overlays/fps_display.h"

#include <cmath>

#include "animation/action.h"
#include "animation/action_library.h"
#include "animation/node_hooks.h"
#include "overlays/overlay_statics.h"
#include "scene/object.h"

namespace {

constexpr const char* kDigits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr double kPeriodMs = 5000.0;

void make_digit(Object* parent, int digit, double x) {
    Object* node = new Object;
    node->coordin.chposition(x, 0.0, 0.0);
    node->addfun(disable_depth_test, nullptr);
    node->add("utils.pak", kDigits[digit]);
    Action dying(1, true, 0.0);
    dying.init(die_after_msec, kPeriodMs, 0.0, 0.0);
    node->event.create_slot();
    node->event.add_action(dying);
    node->event.send(0);
    parent->addlink(node);
}

}  // namespace

void display_fps(void*) {
    ++fps_frames;
    Action* self = Action_curent;
    if (!(self->time > 0.0)) return;
    self->time -= kPeriodMs;
    // A frame that comes after a long pause or a clock change brings many
    // periods at once; they are dropped rather than caught up one display per
    // frame, which would link fresh digits on every frame for as long.
    if (self->time > 0.0) self->time = std::fmod(self->time, kPeriodMs) - kPeriodMs;

    Object* node = Object_curent;
    make_digit(node, (fps_frames / 5) % 10, 3.3);
    if (fps_frames > 49) make_digit(node, (fps_frames / 50) % 10, 1.9);
    if (fps_frames > 499) make_digit(node, (fps_frames / 500) % 10, 0.5);
    fps_frames = 0;
}
