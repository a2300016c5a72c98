#include "demo.h"

#include "kit/mesh_entry.h"
#include "kit/shapes.h"

namespace content {

namespace {

kit::MeshRecord square(const char* texture) {
    kit::MeshRecord r;
    r.texture = texture;
    r.mesh = kit::quad({-10.0, -10.0, 0.0}, {20.0, 0.0, 0.0}, {0.0, 20.0, 0.0});
    return r;
}

}  // namespace

void add_demo(Archive& archive) {
    kit::MeshRecord fire = square("T#Fire128x128");
    // Fire fades to clear black at its edges: it wants blending.
    fire.material.blend = true;
    kit::MeshRecord plasma = square("T#Plasma64x64,10,20,30");
    // Plasma is opaque on its lines and clear between them.
    plasma.material.alpha_test = true;
    archive.entries.push_back({"fire", kit::write_mesh_entry(std::span(&fire, 1))});
    archive.entries.push_back({"plasma", kit::write_mesh_entry(std::span(&plasma, 1))});
}

}  // namespace content
