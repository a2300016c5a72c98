// lunabrelle-content-preview: draws the generated meadow the way the scene
// places it (background plate, tilted turntable with the flower bed, one
// resting and three flying butterflies, light 1) into a PNG, headless.
//
//   lunabrelle-content-preview OUT.png [--size WxH] [--angle DEG] [--time SEC]
//                                      [--species R,A,B,C]
#include <GL/gl.h>
#include <GL/glu.h>
#include <stb_image.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "content/archives.h"
#include "kit/image.h"
#include "kit/image_codec.h"
#include "kit/mesh_entry.h"
#include "platform/egl/headless_gl.h"

namespace {

struct Drawable {
    kit::Material material;
    GLuint texture = 0;
    std::vector<double> vertices, normals, texcoords;
};

GLuint upload(const content::ArchiveEntry& e) {
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(e.bytes.data(), static_cast<int>(e.bytes.size()), &w, &h, &channels, 0);
    if (!pixels || (channels != 3 && channels != 4)) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const GLenum format = channels == 4 ? GL_RGBA : GL_RGB;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, format, w, h, format, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    stbi_image_free(pixels);
    return name;
}

class Model {
public:
    Model(const content::Archive& archive, const std::string& entry, std::map<std::string, GLuint>& textures) {
        const content::ArchiveEntry* e = content::find_entry(archive, entry);
        std::vector<kit::MeshRecord> records;
        std::string error;
        if (!e || !kit::read_mesh_entry(e->bytes.data(), e->bytes.size(), &records, &error)) {
            std::fprintf(stderr, "%s/%s: %s\n", archive.name.c_str(), entry.c_str(), e ? error.c_str() : "missing");
            return;
        }
        for (const kit::MeshRecord& r : records) {
            Drawable d;
            d.material = r.material;
            const std::string key = archive.name + "/" + r.texture;
            if (!textures.count(key)) {
                const content::ArchiveEntry* image = content::find_entry(archive, r.texture);
                textures[key] = image ? upload(*image) : 0;
            }
            d.texture = textures[key];
            for (const kit::Triangle& t : r.mesh.triangles)
                for (const kit::Vertex& v : t.v) {
                    d.vertices.insert(d.vertices.end(), {v.position.x, v.position.y, v.position.z});
                    d.normals.insert(d.normals.end(), {v.normal.x, v.normal.y, v.normal.z});
                    d.texcoords.insert(d.texcoords.end(), {v.texcoord.x, v.texcoord.y});
                }
            triangles += r.mesh.triangles.size();
            parts.push_back(std::move(d));
        }
    }

    void draw() const {
        for (const Drawable& d : parts) {
            if (d.material.alpha_test) glEnable(GL_ALPHA_TEST);
            glBindTexture(GL_TEXTURE_2D, d.texture);
            glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, d.material.shininess);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, d.material.specular.data());
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, d.material.diffuse.data());
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, d.material.ambient.data());
            glVertexPointer(3, GL_DOUBLE, 0, d.vertices.data());
            glNormalPointer(GL_DOUBLE, 0, d.normals.data());
            glTexCoordPointer(2, GL_DOUBLE, 0, d.texcoords.data());
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(d.vertices.size() / 3));
            if (d.material.alpha_test) glDisable(GL_ALPHA_TEST);
        }
    }

    // Draws with a uniform scale, as a scene node does around its meshes.
    void draw_scaled(double s) const {
        glPushMatrix();
        glScaled(s, s, s);
        glEnable(GL_NORMALIZE);
        draw();
        glDisable(GL_NORMALIZE);
        glPopMatrix();
    }

    std::vector<Drawable> parts;
    std::size_t triangles = 0;
};

struct Butterfly {
    Model body;
    Model wing;
};

// Body plus two wings at the given beat phase, as the butterfly nodes do.
void draw_butterfly(const Butterfly& b, double phase) {
    b.body.draw_scaled(0.2);
    for (double base : {25.0, 145.0}) {
        glPushMatrix();
        const double swing = base == 25.0 ? std::sin(phase) : std::sin(phase + 3.14159265358978);
        glRotated(base + 50.0 * swing, 1, 0, 0);
        b.wing.draw_scaled(0.2);
        glPopMatrix();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [--size WxH] [--angle DEG] [--time SEC] [--species R,A,B,C]\n", argv[0]);
        return 2;
    }
    int width = 1280, height = 720;
    double angle = 20.0, time = 0.7;
    int species[4] = {1, 2, 3, 4};
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--size")) std::sscanf(argv[i + 1], "%dx%d", &width, &height);
        if (!std::strcmp(argv[i], "--angle")) angle = std::atof(argv[i + 1]);
        if (!std::strcmp(argv[i], "--time")) time = std::atof(argv[i + 1]);
        if (!std::strcmp(argv[i], "--species"))
            std::sscanf(argv[i + 1], "%d,%d,%d,%d", &species[0], &species[1], &species[2], &species[3]);
    }

    lunabrelle::HeadlessGl gl;
    std::string error;
    if (!gl.create(width, height, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }

    const content::Archive main_pak = content::build_main_archive();
    std::map<int, content::Archive> butterflies;
    for (int s : species)
        if (!butterflies.count(s)) butterflies.emplace(s, content::build_butterfly_archive(s));

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.9f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<float>(width) / static_cast<float>(height), 0.10000000149011612, 250.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float ambient[] = {0.3f, 0.3f, 0.3f, 1.0f}, diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, diffuse);
    glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.0002f);

    std::map<std::string, GLuint> textures;
    const Model fon(main_pak, "fon", textures);
    const Model flowers(main_pak, "flowers", textures);
    std::map<int, Butterfly> models;
    for (auto& [s, archive] : butterflies)
        models.emplace(s, Butterfly{Model(archive, "brushko", textures), Model(archive, "krilo", textures)});

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, -100);

    glPushMatrix();
    glTranslatef(0, 12, 45);
    const float at_origin[] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, at_origin);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, 0, -100);
    glRotatef(180, 0, 1, 0);
    glRotatef(180, 0, 0, 1);
    glPushMatrix();
    glScaled(4, 3, 3);
    glEnable(GL_NORMALIZE);
    fon.draw();
    glDisable(GL_NORMALIZE);
    glPopMatrix();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, 0, -10);
    glRotatef(-30, 1, 0, 0);
    glRotated(angle + 7.0 * time, 0, 0, 1);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    flowers.draw_scaled(2.0);

    glPushMatrix();
    glTranslatef(0, -7, 21.5);
    glRotatef(45, 1, 0, 0);
    glRotatef(90, 0, 0, 1);
    draw_butterfly(models.at(species[0]), 9.0 * time + 1.0);
    glPopMatrix();

    glPushMatrix();
    glRotated(30.0 * time, 0, 0, 1);
    const struct {
        double x, y, z, turn;
    } flyers[] = {{32, 0, 30, 90}, {-20, 19.5, 36, -110}, {-20, -20, 33, -40}};
    for (int i = 0; i < 3; ++i) {
        glPushMatrix();
        glTranslated(flyers[i].x, flyers[i].y + 2.0 * std::sin(3.0 * time), flyers[i].z + 5.0 * std::sin(3.0 * time));
        glRotated(flyers[i].turn + 6.0 * std::sin(2.0 * time), 0, 0, 1);
        glTranslated(0, 0, 4.0 * std::sin(13.0 * time + 28.647889756541282));
        draw_butterfly(models.at(species[i + 1]), 13.0 * time + i * 2.0);
        glPopMatrix();
    }
    glPopMatrix();
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);
    glPopMatrix();
    glFinish();

    std::fprintf(stderr, "triangles: flower bed %zu, background %zu, butterfly %zu + wing %zu\n", flowers.triangles,
                 fon.triangles, models.begin()->second.body.triangles, models.begin()->second.wing.triangles);

    kit::Image shot(width, height);
    shot.pixels = gl.read_rgba();
    for (std::size_t i = 3; i < shot.pixels.size(); i += 4) shot.pixels[i] = 255;
    const std::vector<std::uint8_t> png = kit::encode_png(shot);
    std::ofstream(argv[1], std::ios::binary).write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return 0;
}
