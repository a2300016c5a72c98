// The resource archives the scene opens, checked before the saver starts (and
// before the dialog's preview) so that a broken installation ends with a
// message naming the archive instead of a saver that dies in the middle of
// its first frame.
#pragma once

#include <string>
#include <vector>

namespace lunabrelle::x11 {

// "main.pak", "butterfly1.pak" .. "butterfly5.pak", "clock.pak",
// "calendar.pak", "utils.pak".
const std::vector<std::string>& scene_archives();

// An empty string when every scene archive in folder is a regular file that
// reads as a well-formed archive; otherwise a message naming the first one
// that is not, and why. Reads each archive whole; never blocks on a FIFO.
std::string check_archives(const std::string& folder);

}  // namespace lunabrelle::x11
