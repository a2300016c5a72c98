#include "meadow/scene_assembly.h"

#include <algorithm>
#include <initializer_list>

#include "animation/action.h"
#include "animation/action_library.h"
#include "animation/node_hooks.h"
#include "host/frame_driver.h"
#include "host/singletons.h"
#include "meadow/butterfly.h"
#include "meadow/random.h"
#include "overlays/analog_clock.h"
#include "overlays/calendar_page.h"
#include "overlays/digital_clock.h"
#include "overlays/fps_display.h"
#include "overlays/overlay_statics.h"

namespace {

constexpr double kEndless = 0.0;
constexpr double kOnce = -1.0;

// An action with the integer-and-reals parameter form.
Action make_action(void (*fun)(void*), double duration, int ipar, double par1, double par2,
                   double par3) {
    Action a(1, true, duration);
    a.init(fun, ipar, par1, par2, par3);
    return a;
}

// Puts the actions into one new slot of node and sends it.
void give(Object* node, std::initializer_list<Action> actions) {
    node->event.create_slot();
    for (const Action& a : actions) node->event.add_action(a);
    node->event.send(0);
}

// The builder of a butterfly from a random archive; the parameter form clears
// data, so the archive is set afterwards.
Action butterfly(int bob, double frequency_offset, Randname<const char*>& archives) {
    Action a = make_action(babochka_f, kOnce, bob, frequency_offset, 0.2, 0.0);
    a.init(babochka_f, const_cast<char*>(archives.rand()));
    return a;
}

// The five actions of a flyer: its butterfly, a bob along y, a rocking about
// z and two sines along z.
void give_flyer(Object* flyer, Randname<const char*>& archives, double y_freq, double rock,
                double z1_amp, double z1_freq, double z2_freq) {
    give(flyer, {butterfly(1, -1.0, archives), make_action(move_sin, kEndless, 1, 2.0, y_freq, 0.0),
                 make_action(rot_sin, kEndless, 2, rock, 2.0, 0.0),
                 make_action(move_sin, kEndless, 2, z1_amp, z1_freq, 0.0),
                 make_action(move_sin, kEndless, 2, 5.0, z2_freq, 0.0)});
}

bool has_hook(const Object& node, void (*fun)(int, void*)) {
    for (const fun_and_param& f : node.funs)
        if (f.fun == fun) return true;
    return false;
}

void build_meadow(Randname<const char*>& archives) {
    Object* light = new Object;
    light->coordin.chposition(0.0, 12.0, 45.0);
    give(light, {make_action(set_light, kEndless, 1, 0.0, 0.0, 0.0)});
    map->addlink(light);

    archives.push("butterfly1.pak");
    archives.push("butterfly2.pak");
    archives.push("butterfly3.pak");
    archives.push("butterfly4.pak");
    archives.push("butterfly5.pak");

    Object* background = new Object;
    background->add("main.pak", "fon");
    background->coordin.chscale(4.0, 3.0, 3.0);
    background->coordin.chposition(0.0, 0.0, -100.0);
    background->coordin.chrot(0.0, 180.0, 180.0);
    map->addlink(background);

    Object* turntable = new Object;
    turntable->coordin.chposition(0.0, 0.0, -10.0);
    turntable->coordin.chrot(-30.0, 0.0, 0.0);
    const int start_angle = randi(3600) / 10;
    give(turntable, {make_action(rot_linear, kEndless, 2, 7.0, start_angle, 0.0)});
    turntable->addfun(test, nullptr);
    map->addlink(turntable);

    Object* flowers = new Object;
    flowers->add("main.pak", "flowers");
    flowers->coordin.chscale(2.0, 2.0, 2.0);
    turntable->addlink(flowers);

    Object* resting = new Object;
    resting->coordin.chposition(0.0, -7.0, 21.5);
    resting->coordin.chrot(45.0, 0.0, 90.0);
    give(resting, {butterfly(0, -5.0, archives)});
    turntable->addlink(resting);

    Object* carousel = new Object;
    give(carousel, {make_action(rot_linear, kEndless, 2, 30.0, 0.0, 0.0)});
    turntable->addlink(carousel);

    // Each flyer's draws come in a fixed order: position first, then archive.
    Object* flyer1 = new Object;
    const int x1 = randi(500) / 100;
    flyer1->coordin.chposition(x1 + 30, 0.0, 30.0);
    flyer1->coordin.chrot(0.0, 0.0, 90.0);
    give_flyer(flyer1, archives, 3.0, 6.0, 1.0, 4.0, 3.0);
    carousel->addlink(flyer1);

    Object* flyer2 = new Object;
    {
        const int a = randi(30), b = randi(20), c = randi(30);
        flyer2->coordin.chposition(-19 - c / 10, 19 + b / 10, 35 + a / 10);
    }
    flyer2->coordin.chrot(0.0, 0.0, -110.0);
    give_flyer(flyer2, archives, 4.0, 8.0, 3.0, 4.0, 4.0);
    carousel->addlink(flyer2);

    Object* flyer3 = new Object;
    {
        const int a = randi(70), b = randi(100), c = randi(100);
        flyer3->coordin.chposition(-15 - c / 10, -15 - b / 10, 30 + a / 10);
    }
    flyer3->coordin.chrot(0.0, 0.0, -40.0);
    give_flyer(flyer3, archives, 4.0, 6.0, 1.0, 5.0, 4.0);
    carousel->addlink(flyer3);
}

// The calendar's place across: its margin from the right edge grows with
// the view's width, and below 5:4 stays what it is at 5:4, so that the page
// stays whole on portrait views.
double calendar_x(const Scena& view) {
    const double x = -view.get_x_coord(-211.0);
    if (view.width <= 0 || 4 * view.width >= 5 * view.height) return x;
    const double right = -view.get_x_coord(-240.0);  // the right edge at the calendar's depth
    return right - (right - x) * 1.25 * view.height / view.width;
}

void build_overlays() {
    const Scena& view = *scena;

    if (conf->show_calendar) {
        Object* calendar = new Object;
        calendar->coordin.chposition(calendar_x(view), view.get_y_coord(183.0), -140.0);
        give(calendar, {make_action(init_calendar, kOnce, conf->monday_first ? 0 : 1, 0.0, 0.0, 0.0)});
        overlay->addlink(calendar);
    }

    overlay->coordin.chposition(0.0, 0.0, 0.0);
    // The roots outlive a rebuild: the hook is given once, not once per build.
    if (!has_hook(*overlay, disable_depth_test)) overlay->addfun(disable_depth_test, nullptr);

    if (conf->show_fps) {
        Object* fps = new Object;
        fps->add("utils.pak", "fps");
        fps->coordin.chposition(view.get_x_coord(-100.0) + 5.0, -2.5 - view.get_y_coord(-100.0), 0.0);
        Action a(1, true, kEndless);
        a.init(display_fps, nullptr);
        give(fps, {a});
        overlay->addlink(fps);
    }

    if (conf->show_time) {
        Object* clock = new Object;
        if (conf->big_clock)
            clock->coordin.chposition(-view.get_x_coord(-70.0), view.get_y_coord(-70.0), 30.0);
        else
            clock->coordin.chposition(-view.get_x_coord(-170.0), view.get_y_coord(-170.0), -70.0);
        Action a(1, true, kOnce);
        if (conf->analog_clock)
            a.init(init_analog_clock, nullptr);
        else
            a.init(init_digital_clock, conf->time_24h ? 1 : 0, 0.0, 0.0, 0.0);
        give(clock, {a});
        overlay->addlink(clock);
    }
}

}  // namespace

void mac_init(int width, int height, int bpp) {
    scena->setMode(width, height, bpp);
    scena->init();
    media.setpwd(mac_boundle_path + "/");
    drain_roots();
    // The drained glyphs and page are gone; their watchers, built anew below,
    // must not take the old values for ones already shown.
    reset_overlay_statics();
    scena->init_light();

    // The names handed out are string constants; the list itself is only
    // needed while building.
    Randname<const char*> archives;
    build_meadow(archives);
    build_overlays();
}
