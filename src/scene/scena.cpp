#include "scene/scena.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <vector>

#include "host/world_time.h"

Scena::Scena(int width, int height, int bpp) {
    setMode(width, height, bpp);
    update_world_time();
}

void Scena::setMode(int width, int height, int bpp) {
    this->width = width;
    this->height = height;
    this->bpp = bpp;
}

int Scena::init() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.9f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // With separate specular colour the highlights are added after texturing,
    // so a dark texture does not swallow them.
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions != nullptr) {
        std::vector<char> copy(extensions, extensions + std::strlen(extensions) + 1);
        if (std::strstr(copy.data(), "GL_EXT_separate_specular_color") != nullptr)
            glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    }

    // Meshes are always drawn from these three arrays; they stay enabled.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_TEXTURE_2D);

    resizeWindow(width, height);
    return 1;
}

int Scena::resizeWindow(int width, int height) {
    // An empty side would give an unusable aspect ratio (0 or infinite): such a
    // view is treated as one unit wide or high.
    if (height <= 0) height = 1;
    if (width <= 0) width = 1;
    const float aspect = static_cast<float>(width) / static_cast<float>(height);

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(aspect), static_cast<double>(0.1f), 250.0);
    // The frame driver relies on the modelview matrix being left selected.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluUnProject(0.0, 0.0, -1.0, modelview, projection, viewport, &edge_point[0], &edge_point[1],
                 &edge_point[2]);
    glFlush();
    return 1;
}

double Scena::get_x_coord(double depth) const { return edge_point[0] * depth / edge_point[2]; }

double Scena::get_y_coord(double depth) const { return edge_point[1] * depth / edge_point[2]; }
