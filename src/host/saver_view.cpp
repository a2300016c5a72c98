#include "host/saver_view.h"

#include <GL/gl.h>

#include <climits>
#include <cmath>

#include "host/frame_driver.h"
#include "host/random_seed.h"
#include "host/singletons.h"
#include "meadow/scene_assembly.h"
#include "platform/system/system.h"

int whole_units(double points) {
    if (!(points > 0.0)) return 0;
    if (points >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(std::trunc(points));
}

quorvixlunabrelle::~quorvixlunabrelle() {
    delete config;
    delete configSheet;
}

bool quorvixlunabrelle::initWithFrame(double width, double height, bool isPreview,
                                      GlSurface* surface) {
    ScreenSaverView::initWithFrame(width, height, isPreview);
    mac_boundle_path = platform::resource_folder();
    mac_config_path = platform::settings_path();
    _initedGL = false;
    seed_random_once();
    if (surface == nullptr || !surface->create()) {
        platform::log("Couldn't initialize OpenGL");
        return false;
    }
    glView = surface;
    setAnimationTimeInterval(1.0 / 60.0);
    return true;
}

void quorvixlunabrelle::startAnimation() {
    ScreenSaverView::startAnimation();
    mac_construct();
    glView->make_current();
    // The view shows black until the first tick draws the scene.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFlush();
    _initedGL = false;
}

void quorvixlunabrelle::animateOneFrame() {
    glView->make_current();
    if (!_initedGL) {
        // Built here rather than on start or resize: the context is current and
        // the size is the one the view has now.
        mac_init(whole_units(frame_width), whole_units(frame_height), 32);
        _initedGL = true;
    }
    mac_draw_one_frame();
}

void quorvixlunabrelle::stopAnimation() {
    // The drain draws into the context still current from the last tick.
    mac_destruct();
    _initedGL = false;
    ScreenSaverView::stopAnimation();
}

void quorvixlunabrelle::setFrameSize(double width, double height) {
    ScreenSaverView::setFrameSize(width, height);
    if (glView != nullptr) glView->resize(width, height);
    _initedGL = false;
}
