// A node of the scene tree: transform, meshes, children, running actions,
// event slots and per-frame hooks. Nodes are removed by marking (del); the mark
// spreads down while drawing and each parent destroys its finished children.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "animation/animate.h"
#include "animation/event.h"
#include "scene/coordin.h"
#include "scene/model.h"

// A hook called with phase 1 before the node's meshes, 2 after them, 3 before
// each child and 4 after each child.
struct fun_and_param {
    void (*fun)(int phase, void* param);
    void* param;
};

class Object {
public:
    Object();
    ~Object();  // returns archive references and deletes meshes; not children
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // Loads the mesh records of an entry. Counts one archive reference (returned
    // by the destructor) even when the entry is missing or malformed; records
    // before a malformed one are kept, and one log line names the entry.
    void add(const char* archive, const char* entry);
    void addfun(void (*fun)(int, void*), void* param);
    void addlink(Object* child);  // takes ownership
    void del() { dead = true; }
    void draw();

    Coordin coordin;
    Animate animate;
    Event event;
    bool dead = false;
    bool finished = false;
    std::vector<fun_and_param> funs;
    std::vector<Model*> models;  // owned
    std::vector<std::string> packs;
    std::int32_t model_count = 0;
    bool has_models = false;
    std::vector<Object*> links;  // owned
};

// The node whose draw is running (not restored when draw returns).
extern Object* Object_curent;
