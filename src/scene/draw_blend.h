// The transparent pass: blended meshes queue themselves during the traversal
// and are drawn after both trees, without depth writes, in queue order.
#pragma once

#include <vector>

class Model;

class Draw_blend {
public:
    void push_model(Model* m) { models.push_back(m); }
    void draw_models();  // draws and empties the queue

    std::vector<Model*> models;  // not owned; empty between frames
};

extern Draw_blend draw_blend_models;
