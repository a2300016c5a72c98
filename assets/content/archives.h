// Builders of every archive the generator writes, each complete in memory.
#pragma once

#include <vector>

#include "archive.h"

namespace content {

// "main.pak": "fon" (background plate) and "flowers" (the flower bed).
Archive build_main_archive();

// "butterfly<species>.pak", species 1 .. kSpecies: "brushko" (body) and
// "krilo" (one wing).
constexpr int kSpecies = 5;
Archive build_butterfly_archive(int species);

// "demo.pak": "fire" and "plasma", single quads with computed textures.
Archive build_demo_archive();

std::vector<Archive> build_all_archives();

}  // namespace content
