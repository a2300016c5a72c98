// Meshes drawn through nodes land on the pixels the projection predicts, with
// their texture or material colour, scale, alpha test and deferred blending.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

#include "animation/node_hooks.h"
#include "host/world_time.h"
#include "scene/draw_blend.h"
#include "scene/object.h"
#include "scene/scena.h"
#include "support/gl_test.h"
#include "support/mesh_bytes.h"
#include "support/temp_archive.h"

namespace {

using namespace lunabrelle::test;

// Half the visible height at eye depth -100, where scene z = 0 lies.
constexpr double kHalfHeight = 41.4213562;

class MeshDraw : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        CURENT_TIME = 5000;
        scena.init();
        // Lit meshes show their material's ambient colour exactly.
        const GLfloat white[4] = {1, 1, 1, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
        folder.add("m.pak", {
            {"red", solid_bmp(2, 2, 255, 0, 0)},
            {"textured", mesh_entry({square("red", 0, 0, 20, 20, 0, flat_material(1, 1, 1, 1))})},
            {"small", mesh_entry({square("none", 0, 0, 5, 5, 0, flat_material(0, 0, 1, 1))})},
            {"below", mesh_entry({square("none", 0, -5, 5, 0, 0, flat_material(0, 0, 1, 1))})},
            {"faint", mesh_entry({square("none", 0, 0, 20, 20, 0, flat_material(0, 1, 0, 0.5f, false, true))})},
            {"glass_red", mesh_entry({square("none", -20, -20, 20, 20, 0, flat_material(1, 0, 0, 0.5f, true))})},
            {"glass_green", mesh_entry({square("none", -20, -20, 20, 20, -10, flat_material(0, 1, 0, 0.5f, true))})},
            {"wall", mesh_entry({square("none", -20, -20, 20, 20, 10, flat_material(0, 0, 1, 1))})},
        });
    }

    void camera() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -100);
    }

    // The pixel (from the top-left) that shows scene point (x, y, 0).
    std::array<std::uint8_t, 3> at(double x, double y) const {
        const int px = static_cast<int>(std::floor(kWidth / 2.0 + x / kHalfHeight * kHeight / 2.0));
        const int py = static_cast<int>(std::floor(kHeight / 2.0 - y / kHalfHeight * kHeight / 2.0));
        const auto p = pixel(px, py);
        return {p[0], p[1], p[2]};
    }

    void drain(Object* root) {
        root->del();
        while (!root->finished) {
            camera();
            root->draw();
            draw_blend_models.draw_models();
        }
    }

    using Rgb = std::array<std::uint8_t, 3>;
    Scena scena{kWidth, kHeight, 32};
    ArchiveFolder folder;
};

TEST_F(MeshDraw, OpaqueMeshesLandWhereProjectedWithTextureScaleAndAlphaTest) {
    Object textured;
    textured.add("m.pak", "textured");
    camera();
    textured.draw();
    EXPECT_EQ((std::vector<Rgb>{at(10, 10), at(19, 1), at(-3, 10), at(10, -3), at(23, 10)}),
              (std::vector<Rgb>{{255, 0, 0}, {255, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));

    Object scaled;  // the scale reaches the node's meshes, not its children
    scaled.add("m.pak", "small");
    scaled.coordin.chscale(2, 2, 2);
    auto* child = new Object;
    child->add("m.pak", "below");
    scaled.addlink(child);
    camera();
    scaled.draw();
    EXPECT_EQ((std::vector<Rgb>{at(8, 8), at(3, -3), at(8, -8)}),
              (std::vector<Rgb>{{255, 255, 255}, {255, 255, 255}, {0, 0, 0}}));
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
    drain(&scaled);

    Object faint;  // alpha 0.5 fails the alpha test
    faint.add("m.pak", "faint");
    glEnable(GL_LIGHTING);
    camera();
    faint.draw();
    EXPECT_EQ(at(10, 10), (Rgb{0, 0, 0}));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
}

TEST_F(MeshDraw, BlendedMeshWaitsForThePassAndUsesItsRecordedState) {
    Object root;
    root.add("m.pak", "glass_red");
    root.coordin.chposition(25, 25, 0);
    root.coordin.chscale(1, 1, 1);  // normalize is on around the meshes
    root.addfun(test, nullptr);      // lighting and light 1 around the meshes
    camera();
    root.draw();
    EXPECT_EQ(at(25, 25), (Rgb{0, 0, 0}));  // nothing drawn yet
    ASSERT_EQ(draw_blend_models.models.size(), 1u);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    glLoadIdentity();  // the pass loads the recorded matrix itself
    draw_blend_models.draw_models();
    // Lit by the ambient term at half alpha over black; unlit it would be white.
    const auto c = at(25, 25);
    EXPECT_NEAR(c[0], 128, 2);
    EXPECT_EQ(c[1], 0);
    EXPECT_EQ(at(-3, -3), (Rgb{0, 0, 0}));
    EXPECT_TRUE(draw_blend_models.models.empty());
    for (GLenum off : {GL_LIGHTING, GL_LIGHT1, GL_NORMALIZE, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);
    GLdouble now[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, now);
    EXPECT_EQ(now[12], 25.0);
}

TEST_F(MeshDraw, BlendedMeshesFollowTraversalOrderNotDistance) {
    // map's mesh is nearer, overlay's farther; overlay's is still laid on top.
    Object map, overlay;
    map.add("m.pak", "glass_red");
    overlay.add("m.pak", "glass_green");
    glEnable(GL_LIGHTING);
    camera();
    map.draw();
    overlay.draw();
    glDisable(GL_LIGHTING);
    draw_blend_models.draw_models();
    const auto c = at(0, 0);
    EXPECT_NEAR(c[0], 64, 2);
    EXPECT_NEAR(c[1], 128, 2);
}

TEST_F(MeshDraw, BlendedMeshQueuedWithoutDepthTestShowsThroughOpaqueOnes) {
    for (bool depth_test : {true, false}) {
        Object root;
        root.add("m.pak", "wall");
        auto* glass = new Object;
        glass->add("m.pak", "glass_red");
        if (!depth_test) glass->addfun(disable_depth_test, nullptr);
        root.addlink(glass);
        glEnable(GL_LIGHTING);
        camera();
        root.draw();
        glDisable(GL_LIGHTING);
        draw_blend_models.draw_models();
        const auto c = at(0, 0);
        EXPECT_NEAR(c[0], depth_test ? 0 : 128, 2);
        EXPECT_NEAR(c[2], depth_test ? 255 : 128, 2);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        drain(&root);
    }
}

}  // namespace
