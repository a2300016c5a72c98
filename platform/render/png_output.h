// PNG files of rendered frames, written whole or not at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lunabrelle {

// Writes an RGB PNG of width x height from RGBA rows, top row first (alpha is
// dropped: the screen shows none). A symbolic link at path is followed and its
// target written. A regular file (or a new one) is written beside itself under
// a temporary name and renamed into place, so it holds either the old file or
// the whole new one; a device or FIFO is written straight into (a FIFO without
// a reader is refused), never replaced; any other kind of file is refused.
// False with a message in *error on any failure.
bool write_png(const std::string& path, int width, int height,
               const std::vector<std::uint8_t>& rgba, std::string* error);

// "frame_000042.png" for frame 42 (at least six digits).
std::string frame_file_name(std::int64_t frame);

// True when folder is an existing folder this process can create files in.
bool writable_folder(const std::string& folder);

}  // namespace lunabrelle
