// -visual for a window of our own: "default" (or nothing) and "best" take
// the configuration choose_own_window_config picks (the best OpenGL visual at
// the screen's depth); a visual id takes that visual's best configuration
// when it has one OpenGL can draw into. Anything else, or an id without such
// a configuration, falls back to the default with a note saying why.
#pragma once

#include <string>
#include <vector>

#include "platform/x11/fb_config_choice.h"

namespace lunabrelle::x11 {

// Index of the configuration to use, -1 when none fits at all. *note is set
// when the request could not be followed.
int choose_requested_config(const std::vector<FbConfigTraits>& configs, int default_depth,
                            const std::string& request, std::string* note);

}  // namespace lunabrelle::x11
