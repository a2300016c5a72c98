// Drawing order, hook phases, inherited transforms and the removal protocol of
// scene nodes, frame by frame. The nodes carry no meshes (has_models is set by
// hand where the mesh phases matter), so no archive is involved.
#include <GL/gl.h>

#include <cmath>

#include "animation/action.h"
#include "host/world_time.h"
#include "scene/object.h"
#include "support/gl_test.h"

namespace {

std::vector<std::string> lines;
void record_phase(int phase, void* name) { lines.push_back(static_cast<const char*>(name) + std::to_string(phase)); }
void record_run(void* name) { lines.push_back(static_cast<const char*>(name)); }

// Gives node an action of fun, sent at once.
void give(Object* node, ActionFunction fun, const void* param) {
    Action a(1, true, 0.0);
    a.init(fun, const_cast<void*>(param));
    node->event.create_slot();
    node->event.add_action(a);
    node->event.send(0);
}

void drain(Object* root) {
    root->del();
    while (!root->finished) root->draw();
}

class ObjectProtocol : public lunabrelle::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        CURENT_TIME = 1000;
        lines.clear();
    }
};

TEST_F(ObjectProtocol, MarkedNodesStopActingAndGoOneLevelPerFrameKeepingTheOrderOfTheRest) {
    Object root;
    auto *first = new Object, *node = new Object, *leaf = new Object, *self = new Object, *last = new Object;
    give(node, record_run, "n");
    give(leaf, record_run, "l");
    self->addfun(record_phase, const_cast<char*>("s"));
    self->has_models = true;
    give(self, [](void*) { Object_curent->del(); }, nullptr);
    for (Object* child : {first, node, self, last}) root.addlink(child);
    node->addlink(leaf);
    node->del();
    root.draw();  // the mark reaches the leaf, which finishes at once; self draws its last frame
    EXPECT_TRUE(leaf->finished && !node->finished && self->finished);
    EXPECT_EQ(lines, (std::vector<std::string>{"s1", "s2"}));  // marked nodes run no actions
    root.draw();  // the node destroys its leaf; the root destroys self
    EXPECT_TRUE(node->links.empty() && node->finished);
    EXPECT_EQ(root.links, (std::vector<Object*>{first, node, last}));
    root.draw();
    EXPECT_EQ(root.links, (std::vector<Object*>{first, last}));
    EXPECT_FALSE(root.dead || root.finished);
    EXPECT_EQ(lines.size(), 2u);
    drain(&root);
}

GLdouble matrix_in_hook[16];

TEST_F(ObjectProtocol, PhasesBracketMeshesAndEveryChildWhichInheritsMoveTurnAndDeltaButNotScale) {
    Object root;
    auto *a = new Object, *b = new Object;  // a: no meshes; b: meshes, moved, turned, scaled and pushed by an action
    a->addfun(record_phase, const_cast<char*>("a"));
    b->addfun(record_phase, const_cast<char*>("b"));
    b->addfun([](int phase, void*) { if (phase == 3) glGetDoublev(GL_MODELVIEW_MATRIX, matrix_in_hook); }, nullptr);
    b->has_models = true;
    b->coordin.chposition(1.0, 2.0, 3.0);
    b->coordin.chrot(90.0, 90.0, 90.0);  // moved, then turned about x, then y, then z
    b->coordin.chscale(4.0, 4.0, 4.0);
    give(b, [](void*) { Action_curent->position->addposition(0.0, 7.0, 0.0); }, nullptr);
    root.addlink(a);
    a->addlink(new Object);
    a->addlink(b);
    b->addlink(new Object);
    root.draw();
    EXPECT_EQ(lines, (std::vector<std::string>{"a3", "a4", "a3", "b1", "b2", "b3", "b4", "a4"}));
    std::vector<double> rounded;  // the delta moves along the turned y axis
    for (double v : matrix_in_hook) rounded.push_back(std::round(v));
    EXPECT_EQ(rounded, (std::vector<double>{0, 0, 1, 0, 0, -1, 0, 0, 1, 0, 0, 0, 1, -5, 3, 1}));
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    lines.clear();
    b->del();  // a marked node skips its mesh phases but still brackets its children
    root.draw();
    EXPECT_EQ(lines, (std::vector<std::string>{"a3", "a4", "a3", "b3", "b4", "a4"}));
    drain(&root);
}

}  // namespace
