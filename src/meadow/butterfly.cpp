#include "meadow/butterfly.h"

#include "animation/action.h"
#include "animation/action_library.h"
#include "meadow/random.h"
#include "scene/object.h"

namespace {

// The beat starts at one of 300 phases spread over (a little short of) 2 pi;
// the second wing runs half a turn behind.
constexpr double kTwoPi = 6.28318530717956;
constexpr double kPi = 3.14159265358978;
constexpr double kBodyPhase = 28.647889756541282;

void give_endless(Object* node, void (*fun)(void*), int axis, double amplitude, double frequency,
                  double phase) {
    Action a(1, true, 0.0);
    a.init(fun, axis, amplitude, frequency, phase);
    node->event.create_slot();
    node->event.add_action(a);
    node->event.send(0);
}

}  // namespace

void babochka_f(void* data) {
    const char* archive = static_cast<const char*>(data);
    Object* carrier = Object_curent;
    const bool bob = Action_curent->ipar != 0;
    const double frequency = Action_curent->par1 + 14.0;
    const double size = Action_curent->par2;

    Object* body = new Object;
    body->add(archive, "brushko");
    body->coordin.chscale(size, size, size);
    carrier->addlink(body);
    if (bob) give_endless(body, move_sin, 2, size * 20.0, frequency, kBodyPhase);

    Object* wing1 = new Object;
    wing1->add(archive, "krilo");
    wing1->coordin.chrot(0.0, 0.0, 0.0);
    wing1->coordin.chscale(size, size, size);
    wing1->coordin.chrot(25.0, 0.0, 0.0);
    const double phase = randi(300) * kTwoPi / 300.0;
    give_endless(wing1, rot_sin, 0, 50.0, frequency, phase);
    body->addlink(wing1);

    Object* wing2 = new Object;
    wing2->add(archive, "krilo");
    wing2->coordin.chrot(145.0, 0.0, 0.0);
    wing2->coordin.chscale(size, size, size);
    give_endless(wing2, rot_sin, 0, 50.0, frequency, phase + kPi);
    body->addlink(wing2);
}
