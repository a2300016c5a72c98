// Moving a node from inside one of its own actions.
#pragma once

#include "scene/object.h"

// Adds (dx, dy, dz) to node's position and to the transform in force for the
// rest of this frame. A node's transform is applied before its actions run,
// so a set-up that moves its node would otherwise draw its first frame (the
// only one of a single-frame render) at the old place. Call only while node
// is being drawn (node is Object_curent, inside Object::draw).
void move_node_now(Object* node, double dx, double dy, double dz);
