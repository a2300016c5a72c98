#include "host/frame_driver.h"

#include <GL/gl.h>

#include "host/singletons.h"
#include "host/world_time.h"
#include "overlays/overlay_statics.h"
#include "scene/lights.h"

Config* conf = nullptr;
Scena* scena = nullptr;
Object* map = nullptr;
Object* overlay = nullptr;

namespace {

bool world_exists() { return map != nullptr; }

// Frees a subtree at once, children first. Only for a world that is replaced
// without being drawn again; a running world drains through drain_roots.
void delete_tree(Object* node) {
    for (Object* child : node->links) delete_tree(child);
    node->links.clear();
    delete node;
}

void free_world() {
    delete conf;
    delete_tree(map);
    delete_tree(overlay);
    delete scena;
    conf = nullptr;
    map = nullptr;
    overlay = nullptr;
    scena = nullptr;
}

}  // namespace

void mac_reinit_function_lib_static_variables() {
    LightPosition[0] = 0.0f;
    LightPosition[1] = 0.0f;
    LightPosition[2] = 0.0f;
    LightPosition[3] = 1.0f;
    reset_overlay_statics();
}

// This scene keeps no statics of its own.
void mac_reinit_custom_static_variables() {}

void mac_construct() {
    // The options sheet may have built a world while the animation was stopped;
    // the start that follows replaces it. It is freed without drawing, since no
    // context need be current here.
    if (world_exists()) free_world();
    conf = new Config(load_config(mac_config_path));
    mac_reinit_function_lib_static_variables();
    mac_reinit_custom_static_variables();
    // Placeholder size until the scene assembly sets the view's; constructing
    // it also reads the world clock.
    scena = new Scena(10, 10, 32);
    map = new Object();
    overlay = new Object();
}

void drain_roots() {
    if (!world_exists()) return;
    map->del();
    overlay->del();
    while (!map->finished || !overlay->finished) mac_draw_one_frame();
    map->dead = map->finished = false;
    overlay->dead = overlay->finished = false;
}

void mac_destruct() {
    if (!world_exists()) return;
    drain_roots();
    free_world();
}

int mac_draw_one_frame() { return DrawGLScene(); }

int DrawGLScene() {
    if (!world_exists()) return 1;
    update_world_time();
    // Computed textures ("Fire", "Plasma") follow the world clock, so they are
    // regenerated once per frame before anything draws with them. With no
    // computed texture registered this is an empty loop.
    texturebase.regenall();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // The camera: scene z = 0 lies 100 units in front of the eye.
    glTranslatef(0.0f, 0.0f, -100.0f);
    map->draw();
    overlay->draw();
    draw_blend_models.draw_models();
    // Single-buffered: the host shows the frame without a swap.
    glFlush();
    return 1;
}
