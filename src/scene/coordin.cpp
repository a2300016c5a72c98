#include "scene/coordin.h"

#include <GL/gl.h>

Coordin::Coordin() {
    empty();
    scale_enabled = false;
}

void Coordin::empty() {
    for (int i = 0; i < 3; ++i) {
        position[i] = 0.0;
        rotation[i] = 0.0;
        scaling[i] = 1.0;
    }
}

void Coordin::chposition(double x, double y, double z) {
    position[0] = x;
    position[1] = y;
    position[2] = z;
}

void Coordin::addposition(double x, double y, double z) {
    position[0] += x;
    position[1] += y;
    position[2] += z;
}

void Coordin::chrot(double x, double y, double z) {
    rotation[0] = x;
    rotation[1] = y;
    rotation[2] = z;
}

void Coordin::addrot(double x, double y, double z) {
    rotation[0] += x;
    rotation[1] += y;
    rotation[2] += z;
}

void Coordin::chscale(double x, double y, double z) {
    scaling[0] = x;
    scaling[1] = y;
    scaling[2] = z;
    scale_enabled = true;
}

void Coordin::move() const {
    move_position();
    move_rot();
}

void Coordin::move_position() const {
    if (position[0] != 0.0 || position[1] != 0.0 || position[2] != 0.0)
        glTranslatef(static_cast<float>(position[0]), static_cast<float>(position[1]),
                     static_cast<float>(position[2]));
}

void Coordin::move_rot() const {
    // A NaN angle compares unequal to 0 and is applied like any other.
    if (rotation[0] != 0.0) glRotatef(static_cast<float>(rotation[0]), 1.0f, 0.0f, 0.0f);
    if (rotation[1] != 0.0) glRotatef(static_cast<float>(rotation[1]), 0.0f, 1.0f, 0.0f);
    if (rotation[2] != 0.0) glRotatef(static_cast<float>(rotation[2]), 0.0f, 0.0f, 1.0f);
}

void Coordin::scale() const { glScaled(scaling[0], scaling[1], scaling[2]); }
