// A fresh folder under the temporary folder, removed with all it holds when
// the object goes.
#pragma once

#include <string>

namespace lunabrelle::x11 {

struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path;  // no trailing '/'
};

}  // namespace lunabrelle::x11
