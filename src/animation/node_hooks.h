// Node hooks, called by Object::draw with phase 1/2 around the node's meshes
// and 3/4 around each child. param is not used.
#pragma once

void disable_light(int phase, void* param);       // 1: lighting off, 2: on
void disable_depth_test(int phase, void* param);  // 1, 3: depth test off; 2, 4: on
void face_on_top(int phase, void* param);         // 1: billboard matrix pushed, 2: popped
void test(int phase, void* param);                // 1, 3: lighting + light 1 on; 2, 4: off
