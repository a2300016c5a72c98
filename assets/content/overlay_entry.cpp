#include "overlay_entry.h"

#include <span>

namespace content {

kit::MeshRecord overlay_record(const std::string& texture, kit::Mesh mesh) {
    kit::MeshRecord r;
    r.texture = texture;
    r.material.blend = true;
    r.mesh = std::move(mesh);
    return r;
}

void add_overlay_entry(Archive& archive, const std::string& name, const std::string& texture, kit::Mesh mesh) {
    const kit::MeshRecord r = overlay_record(texture, std::move(mesh));
    archive.entries.push_back({name, kit::write_mesh_entry(std::span(&r, 1))});
}

}  // namespace content
