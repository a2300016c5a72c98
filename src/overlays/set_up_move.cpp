#include "overlays/set_up_move.h"

#include <GL/gl.h>

void move_node_now(Object* node, double dx, double dy, double dz) {
    node->coordin.addposition(dx, dy, dz);
    // Object::draw pushed the parent's matrix before applying the node's
    // transform: go back to it and apply the moved transform instead.
    glPopMatrix();
    glPushMatrix();
    node->coordin.move();
}
