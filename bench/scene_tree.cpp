// Per-frame cost of drawing a scene tree of 100 nodes with one two-triangle
// mesh each on a 64 x 64 headless context, with and without one mover action
// per node. A frame is what the frame driver does: clear, camera, draw, the
// transparent pass; glFinish makes the software renderer's work count.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstring>
#include <string>
#include <vector>

#include "animation/action_library.h"
#include "host/world_time.h"
#include "platform/egl/headless_gl.h"
#include "scene/draw_blend.h"
#include "scene/object.h"
#include "scene/scena.h"

namespace {

// One quad as the three client arrays of a mesh record, stored from an odd
// offset as in an archive entry.
struct QuadBytes {
    QuadBytes() {
        const double v[18] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0};
        const double n[18] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
        const double t[12] = {0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1};
        bytes.resize(1 + sizeof v + sizeof n + sizeof t);
        std::memcpy(bytes.data() + 1, v, sizeof v);
        std::memcpy(bytes.data() + 1 + sizeof v, n, sizeof n);
        std::memcpy(bytes.data() + 1 + sizeof v + sizeof n, t, sizeof t);
    }
    const double* at(std::size_t offset) const {
        return reinterpret_cast<const double*>(bytes.data() + 1 + offset);
    }
    std::vector<unsigned char> bytes;
};

// A model over the quad with texture 0; it takes no texture reference.
Model* quad_model(const QuadBytes& quad) {
    auto* m = new Model;
    m->triangles = 2;
    m->vertices = quad.at(0);
    m->normals = quad.at(144);
    m->texcoords = quad.at(288);
    m->material.ambient[0] = m->material.diffuse[0] = 1.0f;
    m->material.ambient[3] = m->material.diffuse[3] = 1.0f;
    return m;
}

Object* node_with_mesh(const QuadBytes& quad, bool with_action, double x, double y) {
    auto* node = new Object;
    node->models.push_back(quad_model(quad));
    node->model_count = 1;
    node->has_models = true;
    node->coordin.chposition(x, y, 0.0);
    if (with_action) {
        Action a(1, true, 0.0);
        a.init(move_sin, 2, 1.0, 3.0, 0.0);
        node->event.create_slot();
        node->event.add_action(a);
        node->event.send(0);
    }
    return node;
}

// 1 root + 9 children + 90 grandchildren (10 under each child) = 100 nodes.
void build_tree(Object* root, const QuadBytes& quad, bool with_action) {
    root->models.push_back(quad_model(quad));
    root->model_count = 1;
    root->has_models = true;
    for (int i = 0; i < 9; ++i) {
        Object* child = node_with_mesh(quad, with_action, i * 4.0 - 16.0, 0.0);
        for (int j = 0; j < 10; ++j) child->addlink(node_with_mesh(quad, with_action, 0.0, j * 3.0 - 15.0));
        root->addlink(child);
    }
}

void draw_tree(benchmark::State& state, bool with_action) {
    lunabrelle::HeadlessGl gl;
    std::string error;
    if (!gl.create(64, 64, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    Scena scena(64, 64, 32);
    scena.init();
    const QuadBytes quad;
    {
        Object root;
        build_tree(&root, quad, with_action);
        for (auto _ : state) {
            CURENT_TIME += 16;
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            glTranslatef(0.0f, 0.0f, -100.0f);
            root.draw();
            draw_blend_models.draw_models();
            glFinish();
        }
        root.del();
        while (!root.finished) root.draw();
    }
    state.counters["nodes"] = 100;
}

void BM_SceneTreeWithMovers(benchmark::State& state) { draw_tree(state, true); }
void BM_SceneTreeStatic(benchmark::State& state) { draw_tree(state, false); }

}  // namespace

BENCHMARK(BM_SceneTreeWithMovers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneTreeStatic)->Unit(benchmark::kMicrosecond);
