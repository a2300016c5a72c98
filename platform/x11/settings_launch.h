// lunabrelle --settings: the settings dialog is a program of its own,
// lunabrelle-settings, installed beside this one.
#pragma once

#include <string>

namespace lunabrelle::x11 {

// Replaces this process with lunabrelle-settings from the folder of this
// program, else from $PATH; display, when not empty, is passed on. Returns
// only when neither could be started, with a message saying why.
std::string exec_settings(const std::string& display);

}  // namespace lunabrelle::x11
