#include "scene/object.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/system/system.h"
#include "resources/media.h"

Object* Object_curent = nullptr;

Object::Object() { event.setup(&animate); }

Object::~Object() {
    for (const std::string& name : packs) media.unget(name.c_str());
    for (Model* m : models) delete m;
}

namespace {

void report(const char* archive, const char* entry, const std::string& fault) {
    platform::log("Mesh entry \"" + std::string(entry) + "\" of \"" + archive + "\": " + fault);
}

}  // namespace

void Object::add(const char* archive, const char* entry) {
    packs.emplace_back(archive);
    has_models = true;
    raw cursor = media.get(archive, entry);
    if (cursor.data == nullptr) {
        report(archive, entry, "no such entry");
        return;
    }

    // Marker byte, 4 reserved bytes when it is 255, then the record count.
    std::int32_t header = 1;
    if (cursor.size >= 1 && cursor.data[0] == 255) header = 5;
    if (cursor.size < header + 4) {
        report(archive, entry, "truncated header");
        return;
    }
    std::int32_t count;
    std::memcpy(&count, cursor.data + header, sizeof count);
    cursor.data += header + 4;
    cursor.size -= header + 4;
    if (count < 0) {
        report(archive, entry, "negative record count " + std::to_string(count));
        return;
    }

    for (std::int32_t i = 0; i < count; ++i) {
        auto m = std::make_unique<Model>();
        if (!m->load(&cursor, archive)) {
            report(archive, entry,
                   "record " + std::to_string(i + 1) + " of " + std::to_string(count) + " is malformed");
            return;
        }
        models.push_back(m.release());
        ++model_count;
    }
}

void Object::addfun(void (*fun)(int, void*), void* param) { funs.push_back({fun, param}); }

void Object::addlink(Object* child) { links.push_back(child); }

namespace {

// By index: a hook may add hooks.
void call_funs(const std::vector<fun_and_param>& funs, int phase) {
    for (std::size_t i = 0; i < funs.size(); ++i) funs[i].fun(phase, funs[i].param);
}

}  // namespace

void Object::draw() {
    Object_curent = this;
    glPushMatrix();
    coordin.move();

    if (!dead) {
        animate.make();
        if (has_models) {
            call_funs(funs, 1);
            if (coordin.scale_flag()) {
                // Scale reaches the node's own meshes only, never its children.
                glPushMatrix();
                coordin.scale();
                glEnable(GL_NORMALIZE);
                for (Model* m : models) m->draw();
                glDisable(GL_NORMALIZE);
                glPopMatrix();
            } else {
                for (Model* m : models) m->draw();
            }
            call_funs(funs, 2);
        }
    }

    // Finished children are destroyed one at a time, first in list order
    // first, keeping the order of the rest.
    for (;;) {
        auto it = std::find_if(links.begin(), links.end(), [](const Object* c) { return c->finished; });
        if (it == links.end()) break;
        delete *it;
        links.erase(it);
    }

    if (dead && links.empty()) {
        finished = true;
    } else {
        // The length is re-read each step: children linked by this frame's
        // actions are drawn in this same frame.
        for (std::size_t i = 0; i < links.size(); ++i) {
            if (dead) links[i]->dead = true;
            call_funs(funs, 3);
            links[i]->draw();
            call_funs(funs, 4);
        }
    }
    glPopMatrix();
}
