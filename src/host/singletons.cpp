#include "host/singletons.h"

// Definition order is construction order within this file.
Media media;
Texturebase texturebase;
Draw_blend draw_blend_models;
std::string mac_boundle_path;
std::string mac_config_path;
