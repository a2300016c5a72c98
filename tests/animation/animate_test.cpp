// The per-node action list: frame times from the world clock (wrap, repeats,
// speed), removal of expired and ripped actions, and the per-frame delta.
#include <GL/gl.h>

#include <string>
#include <vector>

#include "animation/animate.h"
#include "host/world_time.h"
#include "support/gl_test.h"

namespace {

using lunabrelle::test::GlTest;

struct Trace {
    std::vector<std::string>* order;
    std::string name;
    std::vector<double> times;  // the action's time at each run
};

void trace(void* data) {
    auto* t = static_cast<Trace*>(data);
    t->order->push_back(t->name);
    t->times.push_back(Action_curent->time);
}

Action traced(Trace* t, double duration, int id = 1) {
    Action a(id, true, duration);
    a.init(trace, t);
    return a;
}

class AnimateTest : public GlTest {
protected:
    std::vector<std::string> order;
};

TEST_F(AnimateTest, FrameTimeIsTheWorldClockDifference) {
    CURENT_TIME = 10'000;
    Animate list;
    Trace t{&order, "a", {}};
    list.add(traced(&t, 0.0));
    CURENT_TIME = 10'400;
    list.make();
    CURENT_TIME = 10'400;  // a second frame in the same millisecond
    list.make();
    CURENT_TIME = 10'450;
    list.make();
    EXPECT_EQ(t.times, (std::vector<double>{400, 400, 450}));
}

TEST_F(AnimateTest, WrappingWorldClockGivesTheSmallTrueDifference) {
    CURENT_TIME = 0xFFFFFF00u;
    Animate list;
    Trace t{&order, "a", {}};
    list.add(traced(&t, 0.0));
    CURENT_TIME = 0x100u;
    list.make();
    EXPECT_EQ(t.times, (std::vector<double>{512}));
}

TEST_F(AnimateTest, ExpiredActionRunsItsLastFrameAndIsGoneAtTheNext) {
    CURENT_TIME = 0;
    Animate list;
    Trace t{&order, "a", {}};
    list.add(traced(&t, 1000.0));
    for (int frame = 1; frame <= 3; ++frame) {
        CURENT_TIME += 400;
        list.make();
        EXPECT_EQ(list.actions.size(), 1u);
    }
    EXPECT_TRUE(list.actions[0].rip());
    CURENT_TIME += 400;
    list.make();
    EXPECT_TRUE(list.actions.empty());
    EXPECT_EQ(t.times.size(), 3u);
}

TEST_F(AnimateTest, RunOnceActionExpiresEvenInAZeroLengthFrame) {
    CURENT_TIME = 77;
    Animate list;
    Trace t{&order, "once", {}};
    list.add(traced(&t, -1.0));
    list.make();
    list.make();
    EXPECT_EQ(t.times, (std::vector<double>{0}));
    EXPECT_TRUE(list.actions.empty());
}

TEST_F(AnimateTest, RippedMiddleActionIsRemovedAndTheOthersKeepTheirOrder) {
    CURENT_TIME = 0;
    Animate list;
    Trace a{&order, "a", {}}, b{&order, "b", {}}, c{&order, "c", {}};
    list.add(traced(&a, 0.0, 1));
    list.add(traced(&b, 0.0, 2));
    list.add(traced(&c, 0.0, 3));
    list.make();
    list.set_rip_id(2);
    order.clear();
    list.make();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "c"}));
    ASSERT_EQ(list.actions.size(), 2u);
    EXPECT_EQ(list.actions[1].get_id(), 3);
}

TEST_F(AnimateTest, IdCommandsReachEveryActionWithThatId) {
    CURENT_TIME = 0;
    Animate list;
    Trace a{&order, "a", {}}, b{&order, "b", {}}, c{&order, "c", {}};
    list.add(traced(&a, 0.0, 4));
    list.add(traced(&b, 0.0, 5));
    list.add(traced(&c, 0.0, 4));
    list.stop_id(9);  // no match: nothing happens
    list.make();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c"}));
    list.stop_id(4);
    order.clear();
    list.make();
    EXPECT_EQ(order, (std::vector<std::string>{"b"}));
    list.start_id(4);
    order.clear();
    list.make();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(AnimateTest, SpeedScalesAndTruncatesTheFrameTime) {
    CURENT_TIME = 0;
    Animate list;
    Trace t{&order, "a", {}};
    list.add(traced(&t, 0.0));
    list.speed = 0.5;
    CURENT_TIME = 5;
    list.make();  // 2.5 -> 2
    list.speed = 1.5;
    CURENT_TIME = 8;
    list.make();  // 4.5 -> 4
    list.speed = -1.0;
    CURENT_TIME = 9;
    list.make();  // held at 0
    EXPECT_EQ(t.times, (std::vector<double>{2, 6, 6}));
}

struct Spawn {
    Animate* list;
    Trace* child;
};

void append_to_own_list(void* data) {
    auto* s = static_cast<Spawn*>(data);
    s->list->add(traced(s->child, -1.0));
}

TEST_F(AnimateTest, ActionAppendedDuringThePassRunsInThatPass) {
    CURENT_TIME = 0;
    Animate list;
    Trace child{&order, "child", {}};
    Spawn spawn{&list, &child};
    Action a(1, true, -1.0);
    a.init(append_to_own_list, &spawn);
    list.add(a);
    list.add(a);  // two spawners: the list grows (and may move) while it runs
    list.make();
    EXPECT_EQ(order, (std::vector<std::string>{"child", "child"}));
    list.make();
    EXPECT_TRUE(list.actions.empty());
}

void push_delta(void*) {
    Action_curent->position->addposition(1.0, 0.0, 0.0);
    Action_curent->position->addrot(0.0, 0.0, 90.0);
    Action_curent->position->chscale(3.0, 3.0, 3.0);
}

TEST_F(AnimateTest, DeltaLastsOneFrameAndItsScaleIsNotApplied) {
    glMatrixMode(GL_MODELVIEW);
    CURENT_TIME = 0;
    Animate list;
    Action a(1, true, 0.0);
    a.init(push_delta, nullptr);
    list.add(a);
    EXPECT_EQ(list.actions[0].position, &list.delta);
    for (int frame = 0; frame < 2; ++frame) {
        glLoadIdentity();
        list.make();
        GLdouble m[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        EXPECT_EQ(m[12], 1.0);  // not 2 on the second frame
        EXPECT_NEAR(m[0], 0.0, 1e-6);
        EXPECT_NEAR(m[1], 1.0, 1e-6);  // turned 90 degrees about z, not scaled
    }
}

}  // namespace
