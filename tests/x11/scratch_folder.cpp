#include "x11/scratch_folder.h"

#include <cstdlib>
#include <filesystem>

namespace lunabrelle::x11 {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lunabrelle-x11-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
}

}  // namespace lunabrelle::x11
