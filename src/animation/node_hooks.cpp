#include "animation/node_hooks.h"

#include <GL/gl.h>

void disable_light(int phase, void*) {
    if (phase == 1) glDisable(GL_LIGHTING);
    if (phase == 2) glEnable(GL_LIGHTING);
}

void disable_depth_test(int phase, void*) {
    if (phase == 1 || phase == 3) glDisable(GL_DEPTH_TEST);
    if (phase == 2 || phase == 4) glEnable(GL_DEPTH_TEST);
}

// A billboard: the upper-left 3 x 3 part becomes the identity, dropping every
// rotation and scale above the node while keeping its place.
void face_on_top(int phase, void*) {
    if (phase == 1) {
        glPushMatrix();
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        for (int column = 0; column < 3; ++column)
            for (int row = 0; row < 3; ++row) m[column * 4 + row] = column == row ? 1.0 : 0.0;
        glLoadMatrixd(m);
    }
    if (phase == 2) glPopMatrix();
}

void test(int phase, void*) {
    if (phase == 1 || phase == 3) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT1);
    }
    if (phase == 2 || phase == 4) {
        glDisable(GL_LIGHT1);
        glDisable(GL_LIGHTING);
    }
}
