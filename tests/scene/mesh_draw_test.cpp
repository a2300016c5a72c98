// Blended meshes drawn through nodes: deferred to the blended pass, drawn
// there with the state recorded for them, in traversal order.
#include <GL/gl.h>

#include <array>
#include <cmath>

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
using Rgb = std::array<int, 3>;

class MeshDraw : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        CURENT_TIME = 5000;
        scena.init();
        const GLfloat white[4] = {1, 1, 1, 1};  // lit meshes show their material's ambient colour exactly
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
        auto square_at = [](double z, const Material& m) { return mesh_entry({square("none", -20, -20, 20, 20, z, m)}); };
        folder.add("m.pak", {{"glass_red", square_at(0, flat_material(1, 0, 0, 0.5f, true))},
                             {"glass_green", square_at(-10, flat_material(0, 1, 0, 0.5f, true))},
                             {"wall", square_at(10, flat_material(0, 0, 1, 1))}});
    }
    // Clears and sets the camera 100 in front of the plane z = 0.
    static void camera() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -100);
    }
    // The pixel showing scene point (x, y, 0); 41.42 is half the visible height there.
    Rgb at(double x, double y) const {
        const auto p = pixel(int(std::floor(kWidth / 2.0 + x / 41.4213562 * kHeight / 2.0)),
                             int(std::floor(kHeight / 2.0 - y / 41.4213562 * kHeight / 2.0)));
        return {p[0], p[1], p[2]};
    }
    // Draws the blended meshes' pass after the opaque ones, lighting as given.
    static void draw(std::initializer_list<Object*> nodes, bool lit = true) {
        if (lit) glEnable(GL_LIGHTING);
        camera();
        for (Object* node : nodes) node->draw();
        glDisable(GL_LIGHTING);
        draw_blend_models.draw_models();
    }
    static void drain(Object* root) {
        root->del();
        while (!root->finished) draw({root}, false);
    }
    Scena scena{kWidth, kHeight, 32};
    ArchiveFolder folder;
};

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
    EXPECT_NEAR(at(25, 25)[0], 128, 2);
    EXPECT_EQ(at(25, 25)[1], 0);
    EXPECT_EQ(at(-3, -3), (Rgb{0, 0, 0}));
    EXPECT_TRUE(draw_blend_models.models.empty());
    for (GLenum off : {GL_LIGHTING, GL_LIGHT1, GL_NORMALIZE, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && mask == GL_TRUE);
    GLdouble now[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, now);
    EXPECT_EQ(now[12], 25.0);
}

TEST_F(MeshDraw, BlendedMeshesFollowTraversalOrderAndShowThroughOpaqueOnesOnlyWithoutDepthTest) {
    Object map, overlay;  // map's mesh is nearer, overlay's farther; overlay's is still laid on top
    map.add("m.pak", "glass_red");
    overlay.add("m.pak", "glass_green");
    draw({&map, &overlay});
    EXPECT_NEAR(at(0, 0)[0], 64, 2);
    EXPECT_NEAR(at(0, 0)[1], 128, 2);
    for (bool depth_test : {true, false}) {
        Object root;
        root.add("m.pak", "wall");
        auto* glass = new Object;
        glass->add("m.pak", "glass_red");
        if (!depth_test) glass->addfun(disable_depth_test, nullptr);
        root.addlink(glass);
        draw({&root});
        EXPECT_NEAR(at(0, 0)[0], depth_test ? 0 : 128, 2);
        EXPECT_NEAR(at(0, 0)[2], depth_test ? 255 : 128, 2);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        drain(&root);
    }
}

}  // namespace
