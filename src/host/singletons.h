// The process-wide singletons and path strings. They are defined together in
// one file so that they are constructed in this order and destroyed in the
// reverse order: media, texturebase, draw_blend_models, mac_boundle_path,
// mac_config_path.
#pragma once

#include <string>

#include "resources/media.h"
#include "scene/draw_blend.h"
#include "textures/texturebase.h"

extern std::string mac_boundle_path;  // resource folder, no trailing '/'
extern std::string mac_config_path;   // settings file
