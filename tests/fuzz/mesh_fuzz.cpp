// Mesh entry walker on arbitrary entry bytes, in a real GL context. The bytes
// become the entry "mesh" of an archive that also holds a small image "img",
// opened through the archive registry as the scene opens it; the node loads
// the meshes, and one frame refills their computed textures and draws them.
// Every mesh must lie inside the entry, and destroying the node must return
// every archive and texture reference.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_setup.h"
#include "resources/media.h"
#include "resources/pack.h"
#include "scene/draw_blend.h"
#include "scene/object.h"
#include "support/mesh_bytes.h"
#include "textures/texturebase.h"

namespace {

bool inside(const unsigned char* begin, const unsigned char* end, const void* at, std::int64_t bytes) {
    const auto* p = static_cast<const unsigned char*>(at);
    return p >= begin && bytes >= 0 && bytes <= end - p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    gl_context();
    if (size > INT32_MAX) return 0;
    static MemoryFile archive;
    static const std::vector<std::uint8_t> image = lunabrelle::test::solid_bmp(2, 2, 200, 120, 40);
    {
        Pack pack;
        pack.pushfile("mesh", raw{const_cast<std::uint8_t*>(data), static_cast<std::int32_t>(size)});
        pack.pushfile("img", raw{const_cast<std::uint8_t*>(image.data()), static_cast<std::int32_t>(image.size())});
        std::string error;
        require(pack.save(archive.path().c_str(), &error), "the archive is written");
    }
    media.setpwd(MemoryFile::folder());
    const std::string name = archive.name();
    {
        Object node;
        node.add(name.c_str(), "mesh");
        require(node.model_count == static_cast<std::int32_t>(node.models.size()), "every mesh is counted");
        const raw entry = media.get(name.c_str(), "mesh");
        const unsigned char* end = entry.data + entry.size;
        for (const Model* m : node.models) {
            const std::int64_t n = m->triangles;
            require(inside(entry.data, end, m->header, 140), "header and material lie inside the entry");
            require(inside(entry.data, end, m->vertices, 72 * n), "vertices lie inside the entry");
            require(inside(entry.data, end, m->normals, 72 * n), "normals lie inside the entry");
            require(inside(entry.data, end, m->texcoords, 48 * n), "texture coordinates lie inside the entry");
        }
        media.unget(name.c_str());
        // One frame's worth: computed textures refilled, the node drawn.
        texturebase.regenall();
        node.draw();
        draw_blend_models.draw_models();
    }
    require(media.names.empty(), "the node returns every archive reference");
    require(texturebase.names.empty(), "the node returns every computed texture");
    media.setpwd("0");
    return 0;
}
