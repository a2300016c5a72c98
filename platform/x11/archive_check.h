// The resource archives the scene opens, checked before the saver starts so
// that a broken installation ends with a message naming the archive instead
// of a saver that dies in the middle of its first frame.
#pragma once

#include <string>
#include <vector>

namespace lunabrelle::x11 {

// "main.pak", "butterfly1.pak" .. "butterfly5.pak", "clock.pak",
// "calendar.pak", "utils.pak".
const std::vector<std::string>& scene_archives();

// An empty string when every scene archive in folder is a readable file;
// otherwise a message naming the first one that is not, and why.
std::string check_archives(const std::string& folder);

}  // namespace lunabrelle::x11
