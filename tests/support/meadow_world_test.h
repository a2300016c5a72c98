// Fixture for tests of the assembled scene: a real headless context, every
// archive the scene opens written with every entry the scene names, each a
// one-triangle mesh whose texture name "@<entry>" (an image no archive holds,
// so the mesh draws untextured) tells which entry a drawn Model came from; a
// virtual clock in UTC, and a constructed world whose settings the test sets
// before build() runs mac_init. TearDown destroys the world and checks that
// every archive was closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/object.h"
#include "support/gl_test.h"
#include "support/temp_archive.h"
#include "support/virtual_clock.h"

namespace lunabrelle::test {

class MeadowWorldTest : public GlTest {
protected:
    void SetUp() override;     // world constructed, every overlay off
    void TearDown() override;  // world destroyed

    void build();                          // mac_init at the context's size
    void frame(std::int64_t advance_ms);   // advances the clock, draws one frame

    ArchiveFolder archives;
    VirtualClock clock;
};

// Writes into the folder every archive the scene opens, with every entry the
// scene names as a tagged one-triangle mesh (see above).
void write_scene_archives(const ArchiveFolder& archives);

// Nodes in the subtree of node, node included.
int count_nodes(const Object* node);

// The meshes under node, node included, drawn in the last frame drawn with
// MeadowWorldTest::frame, in drawing order.
std::vector<const Model*> drawn_models(const Object* node);

// The entries of drawn_models(node), from their tags ("@7" -> "7").
std::vector<std::string> drawn_entries(const Object* node);

// The entry of node's first mesh ("" for a node without meshes).
std::string entry_of(const Object* node);

}  // namespace lunabrelle::test
