// Mesh records and entries of the overlay archives: unlit, blended quads.
#pragma once

#include <string>

#include "archive.h"
#include "kit/mesh_entry.h"

namespace content {

// A blended record of the mesh with the named texture. Every overlay mesh is
// blended, so that all of them are drawn in the one pass that keeps their
// drawing order and their soft edges.
kit::MeshRecord overlay_record(const std::string& texture, kit::Mesh mesh);

// Appends the entry name holding that one record.
void add_overlay_entry(Archive& archive, const std::string& name, const std::string& texture, kit::Mesh mesh);

}  // namespace content
