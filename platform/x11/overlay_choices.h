// The command line's overlay choices laid over the settings read from the
// file, for this run only: the file itself is never written here.
#pragma once

#include "platform/x11/options.h"
#include "settings/config.h"

namespace lunabrelle::x11 {

// Sets each field of config that options chose; leaves the others as read.
void apply_overlay_choices(const Options& options, Config* config);

}  // namespace lunabrelle::x11
