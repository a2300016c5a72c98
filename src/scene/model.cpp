#include "scene/model.h"

#include <GL/gl.h>

#include <cstring>

#include "resources/media.h"
#include "scene/draw_blend.h"
#include "textures/texturebase.h"

namespace {

// Fixed parts of a record around the name and the three arrays.
constexpr std::int64_t kHeaderBytes = 80;
constexpr std::int64_t kMaterialBytes = 60;
constexpr std::int64_t kFixedBytes = 4 + kHeaderBytes + kMaterialBytes + 4 + 1;  // 149 with L = 0
constexpr std::int64_t kBytesPerTriangle = 72 + 72 + 48;

std::int32_t read_int32(const unsigned char* at) {
    std::int32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The records hold the arrays exactly as GL reads them; they are consumed
// where they lie, whatever their alignment.
const double* doubles_at(const unsigned char* at) { return reinterpret_cast<const double*>(at); }

}  // namespace

Model::~Model() {
    if (list != 0) glDeleteLists(list, 1);
    if (texture_source.empty()) return;  // never loaded: nothing was taken
    if (generated)
        texturebase.ungen(texture_source.c_str());
    else
        media.ungetimage(texture_source.c_str(), texture);
}

bool Model::load(raw* cursor, const char* archive) {
    const unsigned char* at = cursor->data;
    const std::int64_t remaining = cursor->size;
    if (at == nullptr || remaining < kFixedBytes) return false;

    const std::int32_t name_length = read_int32(at);
    if (name_length < 1 || name_length > remaining - kFixedBytes) return false;
    const auto* name = reinterpret_cast<const char*>(at + 4);
    if (std::memchr(name, 0, static_cast<std::size_t>(name_length)) == nullptr) return false;

    const unsigned char* block = at + 4 + name_length;
    const std::int32_t count = read_int32(block + kHeaderBytes + kMaterialBytes);
    const std::int64_t fixed = kFixedBytes + name_length;
    if (count < 0 || count > (remaining - fixed) / kBytesPerTriangle) return false;

    texture_name = name;
    header = block;
    std::memcpy(&material, block + kHeaderBytes, sizeof material);
    triangles = count;
    const unsigned char* arrays = at + fixed;
    vertices = doubles_at(arrays);
    normals = doubles_at(arrays + 72 * static_cast<std::int64_t>(count));
    texcoords = doubles_at(arrays + 144 * static_cast<std::int64_t>(count));

    // The name is zero-terminated inside the record, so its second character
    // is only looked at when the first is not the terminator.
    if (texture_name[0] != '\0' && texture_name[1] == '#') {
        texture = texturebase.gen(texture_name);
        texture_source = texture_name;
        generated = true;
    } else {
        texture = media.getimage(archive, texture_name);
        texture_source = archive;
        generated = false;
    }

    const std::int64_t length = fixed + kBytesPerTriangle * count;
    cursor->data += length;
    cursor->size -= static_cast<std::int32_t>(length);
    return true;
}

namespace {

// The material goes to GL at each draw (it is not in the display list), so
// the state seen by a mesh does not depend on which list ran before it.
void set_material(const Model& m) {
    glBindTexture(GL_TEXTURE_2D, m.texture);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.material.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.material.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.material.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.material.ambient);
}

// The triangles go into a display list once, on the first draw: the driver
// converts the archive's doubles and keeps them in its own vertex buffer,
// instead of converting every vertex on every frame. The list holds geometry
// only; texture (computed ones change every frame), material and every
// enable stay outside it. The archive's bytes never change while the model
// lives, so the list never goes stale.
void draw_arrays(Model& m) {
    set_material(m);
    if (m.triangles == 0) return;
    if (m.list == 0) {
        m.list = glGenLists(1);
        if (m.list == 0) {
            // Out of list names: draw straight from the archive's bytes.
            glVertexPointer(3, GL_DOUBLE, 0, m.vertices);
            glNormalPointer(GL_DOUBLE, 0, m.normals);
            glTexCoordPointer(2, GL_DOUBLE, 0, m.texcoords);
            glDrawArrays(GL_TRIANGLES, 0, 3 * m.triangles);
            return;
        }
        glVertexPointer(3, GL_DOUBLE, 0, m.vertices);
        glNormalPointer(GL_DOUBLE, 0, m.normals);
        glTexCoordPointer(2, GL_DOUBLE, 0, m.texcoords);
        glNewList(m.list, GL_COMPILE);
        glDrawArrays(GL_TRIANGLES, 0, 3 * m.triangles);
        glEndList();
    }
    glCallList(m.list);
}

}  // namespace

void Model::draw() {
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    if (material.blend != 0) {
        saved_depth_test = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
        saved_normalize = glIsEnabled(GL_NORMALIZE) == GL_TRUE;
        saved_lighting = glIsEnabled(GL_LIGHTING) == GL_TRUE;
        if (saved_lighting) {
            // Lights are numbered from GL_LIGHT1; one the implementation does
            // not have reads as off (without raising a GL error).
            GLint max_lights = 0;
            glGetIntegerv(GL_MAX_LIGHTS, &max_lights);
            for (int i = 0; i < 8; ++i)
                saved_lights[i] = 1 + i < max_lights && glIsEnabled(GL_LIGHT0 + 1 + i) == GL_TRUE;
        }
        draw_blend_models.push_model(this);
        return;
    }
    if (material.alpha_test != 0) glEnable(GL_ALPHA_TEST);
    draw_arrays(*this);
    if (material.alpha_test != 0) glDisable(GL_ALPHA_TEST);
}

// The traversal leaves depth test on and normalize, lighting, lights, alpha
// test and blending off; only what differed at queue time is switched, and
// switched back afterwards.
void Model::draw_blend() {
    if (!saved_depth_test) glDisable(GL_DEPTH_TEST);
    if (saved_normalize) glEnable(GL_NORMALIZE);
    if (saved_lighting) {
        glEnable(GL_LIGHTING);
        for (int i = 0; i < 8; ++i)
            if (saved_lights[i]) glEnable(GL_LIGHT0 + 1 + i);
    }
    if (material.alpha_test != 0) glEnable(GL_ALPHA_TEST);
    glLoadMatrixd(modelview);
    glEnable(GL_BLEND);

    draw_arrays(*this);

    if (!saved_depth_test) glEnable(GL_DEPTH_TEST);
    if (saved_normalize) glDisable(GL_NORMALIZE);
    if (saved_lighting) {
        glDisable(GL_LIGHTING);
        for (int i = 0; i < 8; ++i)
            if (saved_lights[i]) glDisable(GL_LIGHT0 + 1 + i);
    }
    if (material.alpha_test != 0) glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}
