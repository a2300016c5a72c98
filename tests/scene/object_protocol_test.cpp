// Drawing order, hook phases and the removal protocol of scene nodes, frame by
// frame. Nodes here carry no meshes (has_models is set by hand where the mesh
// phase matters), so no archive is involved.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "animation/action.h"
#include "host/world_time.h"
#include "scene/object.h"
#include "support/gl_test.h"

namespace {

using lunabrelle::test::GlTest;

struct HookLog {
    std::vector<std::string>* lines;
    std::string name;
};

void record_phase(int phase, void* param) {
    auto* log = static_cast<HookLog*>(param);
    log->lines->push_back(log->name + std::to_string(phase));
}

void count_run(void* data) { ++*static_cast<int*>(data); }

void mark_own_node(void*) { Object_curent->del(); }

// Gives node an endless action that counts its runs in *counter.
void add_counter(Object* node, int* counter) {
    Action a(1, true, 0.0);
    a.init(count_run, counter);
    node->event.create_slot();
    node->event.add_action(a);
    node->event.send(0);
}

void drain(Object* root) {
    root->del();
    while (!root->finished) root->draw();
}

class ObjectProtocol : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        CURENT_TIME = 1000;
    }
};

TEST_F(ObjectProtocol, MarkedNodeWithLeafChildVanishesInThreeFrames) {
    Object root;
    auto* node = new Object;
    auto* leaf = new Object;
    int node_runs = 0, leaf_runs = 0;
    add_counter(node, &node_runs);
    add_counter(leaf, &leaf_runs);
    root.addlink(node);
    node->addlink(leaf);
    node->del();

    root.draw();  // the mark reaches the leaf, which finishes at once
    EXPECT_TRUE(leaf->dead);
    EXPECT_TRUE(leaf->finished);
    EXPECT_FALSE(node->finished);
    EXPECT_EQ(node->links.size(), 1u);

    root.draw();  // the node destroys its leaf and finishes
    EXPECT_TRUE(node->links.empty());
    EXPECT_TRUE(node->finished);
    EXPECT_EQ(root.links.size(), 1u);

    root.draw();  // the root destroys the node
    EXPECT_TRUE(root.links.empty());
    EXPECT_FALSE(root.dead);
    EXPECT_FALSE(root.finished);
    // Marked nodes run no actions, not even in the frame the mark reached them.
    EXPECT_EQ(node_runs, 0);
    EXPECT_EQ(leaf_runs, 0);
}

TEST_F(ObjectProtocol, NodeMarkedByItsOwnActionDrawsThatFrameAndGoesTheNext) {
    std::vector<std::string> lines;
    Object root;
    auto* node = new Object;
    HookLog log{&lines, "n"};
    node->addfun(record_phase, &log);
    node->has_models = true;
    Action die(1, true, 0.0);
    die.init(mark_own_node, nullptr);
    node->event.create_slot();
    node->event.add_action(die);
    node->event.send(0);
    root.addlink(node);

    root.draw();
    EXPECT_EQ(lines, (std::vector<std::string>{"n1", "n2"}));
    EXPECT_TRUE(node->dead);
    EXPECT_TRUE(node->finished);
    EXPECT_EQ(root.links.size(), 1u);

    root.draw();
    EXPECT_TRUE(root.links.empty());
    EXPECT_EQ(lines.size(), 2u);
}

void spawn_child(void* data) {
    auto* child = new Object;
    add_counter(child, static_cast<int*>(data));
    Object_curent->addlink(child);
}

TEST_F(ObjectProtocol, ChildLinkedDuringMakeIsDrawnInTheSameFrame) {
    std::vector<std::string> lines;
    HookLog log{&lines, "p"};
    Object root;
    root.addfun(record_phase, &log);
    int child_runs = 0;
    Action spawn(1, true, -1.0);
    spawn.init(spawn_child, &child_runs);
    root.event.create_slot();
    root.event.add_action(spawn);
    root.event.send(0);

    root.draw();
    ASSERT_EQ(root.links.size(), 1u);
    EXPECT_EQ(child_runs, 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"p3", "p4"}));

    root.draw();  // the run-once spawner is gone
    EXPECT_EQ(root.links.size(), 1u);
    EXPECT_EQ(child_runs, 2);
    drain(&root);
}

TEST_F(ObjectProtocol, MeshPhasesOnlyForNodesWithMeshesChildPhasesAlways) {
    std::vector<std::string> lines;
    HookLog plain{&lines, "a"}, meshed{&lines, "b"};
    Object root;
    auto* a = new Object;  // no meshes, two children
    auto* b = new Object;  // meshes, one child
    a->addfun(record_phase, &plain);
    b->addfun(record_phase, &meshed);
    b->has_models = true;
    root.addlink(a);
    a->addlink(new Object);
    a->addlink(b);
    b->addlink(new Object);

    root.draw();
    EXPECT_EQ(lines, (std::vector<std::string>{"a3", "a4", "a3", "b1", "b2", "b3", "b4", "a4"}));

    // A marked node skips phases 1 and 2 but still brackets its children.
    lines.clear();
    b->del();
    root.draw();
    EXPECT_EQ(lines, (std::vector<std::string>{"a3", "a4", "a3", "b3", "b4", "a4"}));
    drain(&root);
}

TEST_F(ObjectProtocol, FinishedChildrenAreReapedKeepingTheOrderOfTheRest) {
    Object root;
    Object* kids[4];
    for (Object*& k : kids) {
        k = new Object;
        root.addlink(k);
    }
    kids[1]->del();
    kids[3]->del();
    root.draw();
    EXPECT_EQ(root.links.size(), 4u);
    root.draw();
    EXPECT_EQ(root.links, (std::vector<Object*>{kids[0], kids[2]}));
    drain(&root);
}

GLdouble matrix_in_hook[16];
void read_matrix(int phase, void*) {
    if (phase == 3) glGetDoublev(GL_MODELVIEW_MATRIX, matrix_in_hook);
}

void shift_delta(void*) { Action_curent->position->addposition(0.0, 7.0, 0.0); }

TEST_F(ObjectProtocol, ChildrenInheritTransformAndDeltaButNotScale) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Object root;
    root.coordin.chposition(1.0, 2.0, 3.0);
    root.coordin.chscale(4.0, 4.0, 4.0);
    root.has_models = true;
    root.addfun(read_matrix, nullptr);
    Action shift(1, true, 0.0);
    shift.init(shift_delta, nullptr);
    root.event.create_slot();
    root.event.add_action(shift);
    root.event.send(0);
    root.addlink(new Object);

    root.draw();
    EXPECT_EQ(matrix_in_hook[0], 1.0);
    EXPECT_EQ(matrix_in_hook[12], 1.0);
    EXPECT_EQ(matrix_in_hook[13], 9.0);
    EXPECT_EQ(matrix_in_hook[14], 3.0);
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    drain(&root);
}

}  // namespace
