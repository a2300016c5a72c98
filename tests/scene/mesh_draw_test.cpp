// Meshes drawn through nodes (geometry kept by the driver) give the same
// pixels, within 1 per channel, as the same meshes drawn the plain way: client
// arrays of the archive's doubles, states and matrices set by hand. So blended
// meshes wait for the blended pass and are drawn there in traversal order with
// the state recorded for them, leaving the state as the traversal found it.
#include <GL/gl.h>

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

// A 6 x 6 grid over (-10, -10)-(10, 10), bumped in z, normals tilting with
// the bumps so that lighting varies across it; shiny, lit by its diffuse term.
MeshRecordData bumpy(float alpha, bool blend, bool alpha_test) {
    MeshRecordData s{"bands", flat_material(0.3f, 0.3f, 0.5f, alpha, blend, alpha_test), {}, {}, {}};
    for (int i = 0; i < 3; ++i) s.material.diffuse[i] = 0.9f, s.material.specular[i] = 0.6f;
    s.material.shininess = 12.0f;
    auto put = [&](int i, int j) {
        const double x = -10 + 20.0 * i / 6, y = -10 + 20.0 * j / 6, nx = -0.6 * std::cos(x * 0.4), ny = 0.4 * std::sin(y * 0.3);
        const double len = std::sqrt(nx * nx + ny * ny + 1);
        s.vertices.insert(s.vertices.end(), {x, y, 2 * std::sin(x * 0.4) * std::cos(y * 0.3)});
        s.normals.insert(s.normals.end(), {nx / len, ny / len, 1 / len});
        s.texcoords.insert(s.texcoords.end(), {i / 6.0, j / 6.0});
    };
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) put(i, j), put(i + 1, j), put(i + 1, j + 1), put(i, j), put(i + 1, j + 1), put(i, j + 1);
    return s;
}

// The mesh the way it was always drawn: the archive's doubles as client arrays.
void plain_draw(const Model& m) {
    glBindTexture(GL_TEXTURE_2D, m.texture);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.material.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.material.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.material.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.material.ambient);
    glVertexPointer(3, GL_DOUBLE, 0, m.vertices);
    glNormalPointer(GL_DOUBLE, 0, m.normals);
    glTexCoordPointer(2, GL_DOUBLE, 0, m.texcoords);
    glDrawArrays(GL_TRIANGLES, 0, 3 * m.triangles);
}

using MeshDraw = GlTest;

TEST_F(MeshDraw, MatchesTheClientArrayDrawingWithinOnePerChannelAndLeavesTheStateAsFound) {
    CURENT_TIME = 5000;
    Scena scena{kWidth, kHeight, 32};
    scena.init();
    scena.init_light();
    Bytes bands;  // colour bands and an alpha ramp, so that texturing and the alpha test both show
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            bands.insert(bands.end(), {std::uint8_t(x * 40), std::uint8_t(255 - y * 30), std::uint8_t((x ^ y) * 60),
                                       std::uint8_t(x * 255 / 7)});
    ArchiveFolder folder;
    folder.add("m.pak", {{"bands", make_png(8, 8, 4, bands)},
                         {"backdrop", mesh_entry({square("bands", -30, -30, 30, 30, -8, flat_material(1, 1, 1, 1))})},
                         {"lit_textured", mesh_entry({bumpy(1, false, false)})},
                         {"alpha_tested", mesh_entry({bumpy(1, false, true)})},
                         {"blended", mesh_entry({bumpy(0.6f, true, false)})},
                         {"glass", mesh_entry({square("none", -20, -20, 20, 20, 0, flat_material(1, 0, 0, 0.5f, true))})}});
    // The frame drawn so far; clears it and sets the camera 100 in front of the plane z = 0.
    auto frame = [] {
        std::vector<std::uint8_t> rgba(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -100);
        return rgba;
    };
    // The entry, whether it is lit, and the inner node's scale (1 leaves scaling off).
    for (const auto& [entry, lit, scale] : {std::tuple{"lit_textured", true, 1.0}, {"alpha_tested", true, 1.0},
                                            {"blended", true, 0.6}, {"lit_textured", true, 1.7}, {"blended", false, 1.0}}) {
        SCOPED_TRACE(std::string(entry) + (lit ? " lit" : "") + " at scale " + std::to_string(scale));
        frame();
        // root -> outer (moved) -> inner (moved, maybe scaled, the mesh), then the
        // backdrop: a blended mesh shows over it only when it waits for the pass.
        Object root;
        auto *outer = new Object, *inner = new Object, *back = new Object, *glass = new Object;
        outer->coordin.chposition(3, -2, 0);
        inner->add("m.pak", entry);
        const Model& mesh = *inner->models[0];
        inner->coordin.chposition(-1.5, 2.5, 1);
        if (scale != 1) inner->coordin.chscale(scale, scale, scale);
        if (lit) inner->addfun(test, nullptr);
        back->add("m.pak", "backdrop");
        // Last a lit glass between the backdrop and the mesh: blended over a
        // blended mesh, which writes no depth; over an opaque one with the depth
        // test off.
        glass->add("m.pak", "glass");
        glass->coordin.chposition(0, 0, -4);
        glass->addfun(test, nullptr);
        const bool opaque = mesh.material.blend == 0;
        if (opaque) glass->addfun(disable_depth_test, nullptr);
        outer->addlink(inner);
        for (Object* child : {outer, back, glass}) root.addlink(child);
        for (int i = 0; i < 2; ++i) {  // the first frame makes the driver's copies, the second uses them
            if (i == 1) frame();
            root.draw();
            draw_blend_models.draw_models();
        }
        for (GLenum off : {GL_LIGHTING, GL_LIGHT1, GL_NORMALIZE, GL_BLEND}) EXPECT_FALSE(glIsEnabled(off)) << off;
        GLboolean mask = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && mask == GL_TRUE);
        const auto kept = frame();

        plain_draw(*back->models[0]);
        glTranslated(3 - 1.5, -2 + 2.5, 1);
        if (scale != 1) glScaled(scale, scale, scale), glEnable(GL_NORMALIZE);
        if (lit) glEnable(GL_LIGHTING), glEnable(GL_LIGHT1);
        if (mesh.material.alpha_test) glEnable(GL_ALPHA_TEST);
        if (mesh.material.blend) glDepthMask(GL_FALSE), glEnable(GL_BLEND);
        plain_draw(mesh);
        glLoadIdentity();
        glTranslated(0, 0, -104);
        glDisable(GL_NORMALIZE), glDisable(GL_ALPHA_TEST);
        if (opaque) glDisable(GL_DEPTH_TEST);
        glEnable(GL_LIGHTING), glEnable(GL_LIGHT1), glDepthMask(GL_FALSE), glEnable(GL_BLEND);
        plain_draw(*glass->models[0]);
        const auto plain = frame();

        int worst = 0, lit_pixels = 0;
        for (std::size_t i = 0; i < plain.size(); ++i) worst = std::max(worst, std::abs(plain[i] - kept[i]));
        for (std::size_t i = 0; i < plain.size(); i += 4) lit_pixels += plain[i] + plain[i + 1] + plain[i + 2] > 0;
        EXPECT_LE(worst, 1);
        EXPECT_GT(lit_pixels, kWidth * kHeight / 4);  // the meshes did draw
        root.del();
        while (!root.finished) root.draw();
        // Back to the state the traversal expects.
        glDepthMask(GL_TRUE), glEnable(GL_DEPTH_TEST);
        for (GLenum on : {GL_LIGHTING, GL_LIGHT1, GL_BLEND}) glDisable(on);
    }
}

}  // namespace
