#include "scene/model.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>
#include <unordered_map>
#include <vector>

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
    if (buffers[0] != 0 || buffers[1] != 0) glDeleteBuffers(2, buffers);
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

// One vertex as the driver takes it: position, normal, texture coordinate.
struct PackedVertex {
    float v[8];
    bool operator==(const PackedVertex& o) const { return std::memcmp(v, o.v, sizeof v) == 0; }
};

struct PackedVertexHash {
    std::size_t operator()(const PackedVertex& p) const {
        std::uint64_t h = 1469598103934665603ull;
        std::uint32_t bits[8];
        std::memcpy(bits, p.v, sizeof bits);
        for (std::uint32_t b : bits) h = (h ^ b) * 1099511628211ull;
        return std::size_t(h);
    }
};

double double_at(const double* base, std::int64_t k) {
    double d;
    std::memcpy(&d, reinterpret_cast<const unsigned char*>(base) + 8 * k, sizeof d);
    return d;
}

// Copies the triangles into buffer objects once, on the first draw: single
// precision (what the driver converts the doubles to anyway) and each
// distinct vertex once, with an index per corner, so the driver neither
// converts nor transforms and lights the same vertex again every frame. The
// archive's bytes never change while the model lives, so the copy never goes
// stale; texture (computed ones change every frame), material and every
// enable stay outside it.
bool make_buffers(Model& m) {
    const std::int64_t corners = 3 * std::int64_t{m.triangles};
    std::vector<PackedVertex> vertices;
    std::vector<GLuint> indices;
    indices.reserve(std::size_t(corners));
    std::unordered_map<PackedVertex, GLuint, PackedVertexHash> seen;
    seen.reserve(std::size_t(corners));
    for (std::int64_t k = 0; k < corners; ++k) {
        PackedVertex p;
        for (int c = 0; c < 3; ++c) {
            p.v[c] = float(double_at(m.vertices, 3 * k + c));
            p.v[3 + c] = float(double_at(m.normals, 3 * k + c));
        }
        for (int c = 0; c < 2; ++c) p.v[6 + c] = float(double_at(m.texcoords, 2 * k + c));
        const auto [it, added] = seen.try_emplace(p, GLuint(vertices.size()));
        if (added) vertices.push_back(p);
        indices.push_back(it->second);
    }
    glGenBuffers(2, m.buffers);
    if (m.buffers[0] == 0 || m.buffers[1] == 0) {
        glDeleteBuffers(2, m.buffers);
        m.buffers[0] = m.buffers[1] = 0;
        return false;
    }
    glBindBuffer(GL_ARRAY_BUFFER, m.buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(PackedVertex)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)), indices.data(),
                 GL_STATIC_DRAW);
    return true;
}

void draw_arrays(Model& m) {
    set_material(m);
    if (m.triangles == 0) return;
    if (m.buffers[0] == 0 && !make_buffers(m)) {
        // No buffer names to be had: draw straight from the archive's bytes.
        glVertexPointer(3, GL_DOUBLE, 0, m.vertices);
        glNormalPointer(GL_DOUBLE, 0, m.normals);
        glTexCoordPointer(2, GL_DOUBLE, 0, m.texcoords);
        glDrawArrays(GL_TRIANGLES, 0, 3 * m.triangles);
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, m.buffers[0]);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.buffers[1]);
    constexpr GLsizei stride = sizeof(PackedVertex);
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(0));
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<const void*>(6 * sizeof(float)));
    glDrawElements(GL_TRIANGLES, 3 * m.triangles, GL_UNSIGNED_INT, nullptr);
    // Unbound again, so that pointers given later are client memory.
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
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
