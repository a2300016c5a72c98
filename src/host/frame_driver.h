// The world and its frame loop. A world is conf, scena, map and overlay; the
// saver view builds it on start (mac_construct), draws one frame per tick
// (mac_draw_one_frame) and drains and frees it on stop (mac_destruct).
#pragma once

#include "scene/object.h"
#include "scene/scena.h"
#include "settings/config.h"

extern Config* conf;
extern Scena* scena;
extern Object* map;
extern Object* overlay;

// Builds an empty world with the settings read from mac_config_path. A world
// that still exists is torn down first (neither leaked nor drawn).
void mac_construct();

// Drains both roots frame by frame and frees the world; no world: nothing.
void mac_destruct();

// Draws one frame of the world; no world: nothing. Returns 1.
int mac_draw_one_frame();
int DrawGLScene();

// Marks both roots, draws frames until both have finished, then makes them live
// again (empty). Used by mac_destruct and by the scene assembly.
void drain_roots();

void mac_reinit_function_lib_static_variables();
void mac_reinit_custom_static_variables();
