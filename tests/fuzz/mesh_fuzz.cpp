// Mesh entry walker on arbitrary entry bytes, in a real GL context. The bytes
// become the entry "mesh" of an archive that also holds a small image "img",
// entered in the archive registry; a node loads the meshes and one frame
// refills their computed textures and draws them. Every mesh lies inside the
// entry, and destroying the node returns every archive and texture reference.
#include "fuzz_setup.h"
#include "resources/media.h"
#include "resources/pack.h"
#include "scene/draw_blend.h"
#include "scene/object.h"
#include "support/image_bytes.h"
#include "textures/texturebase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    gl_context();
    if (size > INT32_MAX) return 0;
    static std::vector<std::uint8_t> image = lunabrelle::test::solid_bmp(2, 2, 200, 120, 40);
    auto* pack = new Pack;  // the registry holds it with one reference, returned below
    pack->pushfile("mesh", raw{const_cast<std::uint8_t*>(data), std::int32_t(size)});
    pack->pushfile("img", raw{image.data(), std::int32_t(image.size())});
    media.packs.push_back(pack), media.names.push_back("fuzz.pak"), media.refs.push_back(1);
    {
        Object node;
        node.add("fuzz.pak", "mesh");
        require(node.model_count == std::int32_t(node.models.size()), "every mesh is counted");
        const raw entry = pack->getfile("mesh");
        auto inside = [&](const void* at, std::int64_t bytes) {
            const auto* p = static_cast<const unsigned char*>(at);
            return p >= entry.data && bytes >= 0 && bytes <= entry.data + entry.size - p;
        };
        for (const Model* m : node.models)
            require(inside(m->header, 140) && inside(m->vertices, 72 * std::int64_t(m->triangles)) &&
                        inside(m->normals, 72 * std::int64_t(m->triangles)) &&
                        inside(m->texcoords, 48 * std::int64_t(m->triangles)),
                    "header, material and arrays lie inside the entry");
        media.unget("fuzz.pak");
        texturebase.regenall();
        node.draw();
        draw_blend_models.draw_models();
    }
    require(media.names.empty() && texturebase.names.empty(), "the node returns every archive and texture reference");
    return 0;
}
