// Counts of what a saver holds, for tests that run it for a long time: scene
// nodes, shared archives and textures, GL texture names, open descriptors and
// heap bytes. Each is read afresh on every call.
#pragma once

#include <cstdint>

namespace lunabrelle::test {

// Nodes reachable from the world roots map and overlay, the roots included;
// 0 when no world exists.
int world_nodes();

// Archives open in the registry, and the references counted on them.
int open_archives();
int archive_references();

// Image texture references counted by the open archives, and computed
// textures in the texture registry.
int image_texture_references();
int computed_textures();

// GL texture names in use in the current context (glIsTexture answers).
int live_texture_names();

// Entries of /proc/self/fd.
int open_descriptors();

// Heap bytes in use by the process: the sanitizer allocator's count when
// built with AddressSanitizer, mallinfo2 otherwise.
std::int64_t allocated_bytes();

}  // namespace lunabrelle::test
