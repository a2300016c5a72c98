#include "animation/action_library.h"

#include <GL/gl.h>

#include <cmath>

#include "animation/action.h"
#include "scene/lights.h"
#include "scene/object.h"

namespace {

double seconds(const Action& a) { return a.time / 1000.0; }

bool is_axis(int ipar) { return ipar >= 0 && ipar <= 2; }

// The per-frame delta of the running list: what is added there lasts one frame.
void add_to_delta_position(double amount) {
    Action& a = *Action_curent;
    if (is_axis(a.ipar) && a.position != nullptr) a.position->position[a.ipar] += amount;
}

void add_to_delta_rotation(double amount) {
    Action& a = *Action_curent;
    if (is_axis(a.ipar) && a.position != nullptr) a.position->rotation[a.ipar] += amount;
}

double sine_offset(const Action& a) { return a.par1 * std::sin(a.par3 + a.time * a.par2 / 1000.0); }

}  // namespace

void move_linear(void*) {
    const Action& a = *Action_curent;
    add_to_delta_position(a.time * a.par1 / 1000.0);
}

// The global movers change the node's own transform by one frame's worth and
// rewind the clock, so that the next run adds only the next frame's time.
void move_linear_global(void*) {
    Action& a = *Action_curent;
    if (is_axis(a.ipar) && Object_curent != nullptr)
        Object_curent->coordin.position[a.ipar] += a.time * a.par1 / 1000.0;
    a.time = 0.0;
}

void move_sin(void*) { add_to_delta_position(sine_offset(*Action_curent)); }

void move_exp(void*) {
    const Action& a = *Action_curent;
    add_to_delta_position(a.par1 * (1.0 - std::exp(a.par2 * seconds(a))));
}

void rot_linear(void*) {
    const Action& a = *Action_curent;
    add_to_delta_rotation(a.time * a.par1 / 1000.0 + a.par2);
}

void rot_linear_global(void*) {
    Action& a = *Action_curent;
    if (is_axis(a.ipar) && Object_curent != nullptr)
        Object_curent->coordin.rotation[a.ipar] += a.time * a.par1 / 1000.0 + a.par2;
    a.time = 0.0;
}

void rot_sin(void*) { add_to_delta_rotation(sine_offset(*Action_curent)); }

void die_after_msec(void*) {
    // The action's own clock, which a function may rewind, not its lifetime.
    if (Action_curent->time > Action_curent->par1 && Object_curent != nullptr) Object_curent->del();
}

// Places the light at the origin of the current modelview frame, i.e. at the
// node that runs this action.
void set_light(void*) {
    const int n = Action_curent->ipar;
    if (n >= 1 && n <= 5) glLightfv(GL_LIGHT0 + n, GL_POSITION, LightPosition);
}
