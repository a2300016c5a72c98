// Actions, the per-node action list on the world clock, and event slots.
#include <GL/gl.h>

#include <limits>
#include <string>
#include <vector>

#include "animation/animate.h"
#include "animation/event.h"
#include "host/world_time.h"
#include "support/gl_test.h"

namespace {

// Each run appends the action's id and its own clock.
std::vector<std::pair<int, double>> runs;
void record(void*) { runs.push_back({Action_curent->get_id(), Action_curent->time}); }

Action recording(int id, double duration) {
    Action a(id, true, duration);
    a.init(record, nullptr);
    return a;
}

std::vector<int> ids(const Animate& list) {
    std::vector<int> out;
    for (const Action& a : list.actions) out.push_back(a.running ? a.get_id() : -a.get_id());
    return out;
}

TEST(Action, LifetimeStopAndResume) {
    // 0 and -0 never expire; a negative or NaN lifetime expires on its first run.
    for (double endless : {0.0, -0.0}) {
        Action a = recording(1, endless);
        for (int i = 0; i < 20; ++i) a.animate(1'000'000);
        EXPECT_FALSE(a.rip());
    }
    for (double once : {-1.0, std::numeric_limits<double>::quiet_NaN()}) {
        Action a = recording(1, once);
        a.animate(0);
        EXPECT_TRUE(a.rip());
    }
    runs.clear();
    Action a = recording(1, 1000.0);
    a.animate(600);
    a.stop();  // neither ages nor expires while stopped
    a.animate(600);
    EXPECT_EQ(a.elapsed, 600.0);
    a.start();
    a.animate(300);
    EXPECT_FALSE(a.rip());
    a.animate(100);  // exactly used up
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(runs.size(), 3u);
}

class AnimateTest : public lunabrelle::test::GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        runs.clear();
    }
};

TEST_F(AnimateTest, FrameTimesFollowTheWorldClockAcrossItsWrapAndScaleBySpeed) {
    CURENT_TIME = 0xFFFFFE00u;
    Animate list;
    list.add(recording(1, 0.0));
    const std::pair<std::uint32_t, double> frames[] = {
        {0xFFFFFF00u, 1.0}, {0x100u, 1.0}, {0x100u, 1.0}, {0x105u, 0.5}, {0x108u, 1.5}, {0x109u, -1.0}};
    for (auto [now, speed] : frames) {
        CURENT_TIME = now;
        list.speed = speed;
        list.make();
    }
    // 256, 512 past 2^32, 0 in the same millisecond, 2.5 -> 2, 4.5 -> 4, held at 0.
    const double expected[] = {256, 768, 768, 770, 774, 774};
    ASSERT_EQ(runs.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(runs[i].second, expected[i]) << i;
}

TEST_F(AnimateTest, ExpiredAndRippedActionsLeaveTheListKeepingTheOrder) {
    CURENT_TIME = 0;
    Animate list;
    for (int id : {1, 2, 3}) list.add(recording(id, 0.0));
    list.add(recording(4, 1000.0));
    for (int frame = 1; frame <= 3; ++frame) {
        CURENT_TIME += 400;
        list.make();
    }
    EXPECT_EQ(list.actions.size(), 4u);  // expired in its last run, still listed
    list.set_rip_id(2);
    runs.clear();
    list.make();
    EXPECT_EQ(ids(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(runs, (std::vector<std::pair<int, double>>{{1, 1200}, {3, 1200}}));
}

struct Spawn {
    Animate* list;
};
void append_to_own_list(void* data) { static_cast<Spawn*>(data)->list->add(recording(9, -1.0)); }

TEST_F(AnimateTest, ActionsAppendedDuringThePassRunInIt) {
    Animate list;
    Spawn spawn{&list};
    Action a(1, true, -1.0);
    a.init(append_to_own_list, &spawn);
    list.add(a);
    list.add(a);  // the list grows (and may move) while it runs
    list.make();
    EXPECT_EQ(runs.size(), 2u);
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
    Animate list;
    Action a(1, true, 0.0);
    a.init(push_delta, nullptr);
    list.add(a);
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

TEST(Event, SendCopiesTemplatesThenCarriesOutIdCommands) {
    Animate list;
    Event e;
    e.setup(&list);
    EXPECT_EQ(e.create_slot(), 0);  // slot 0: an id-1 action
    e.add_action(recording(1, 0.0));
    EXPECT_EQ(e.create_slot(), 1);  // slot 1: id-1 and id-2 actions, then stop id 1
    e.add_action(recording(1, 0.0));
    e.add_action(recording(2, 0.0));
    e.add_idmove({1, 0});
    e.send(0);
    list.actions[0].animate(250);  // copies, not the template
    EXPECT_EQ(e.slot_actions[0][0].time, 0.0);
    EXPECT_EQ(list.actions[0].position, &list.delta);
    e.send(1);
    EXPECT_EQ(ids(list), (std::vector<int>{-1, -1, 2}));
    e.create_slot();  // slot 2: start id 1, rip id 2, an unknown command
    e.add_idmove({1, 1});
    e.add_idmove({2, 2});
    e.add_idmove({1, 7});
    e.send(2);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 1, 2}));
    EXPECT_TRUE(list.actions[2].rip());
    EXPECT_FALSE(list.actions[0].rip());
    // Slots that do not exist do nothing.
    for (int slot : {-1, 3, 1000}) {
        EXPECT_FALSE(e.select_slot(slot));
        e.send(slot);
    }
    EXPECT_EQ(list.actions.size(), 3u);
}

TEST(Event, ForwardsAreCarriedOutDepthFirst) {
    Animate own, shared;  // B, C and D feed one list so the order shows
    Event a, b, c, d;
    a.setup(&own);
    for (Event* e : {&b, &c, &d}) e->setup(&shared);
    b.create_slot();
    b.add_action(recording(2, 0.0));
    c.create_slot();
    c.add_action(recording(3, 0.0));
    d.create_slot();
    d.create_slot();
    d.add_action(recording(4, 0.0));
    b.add_event_and_command({&d, 1});
    a.create_slot();
    a.add_action(recording(1, 0.0));
    a.add_event_and_command({&b, 0});
    a.add_event_and_command({&c, 0});
    a.send(0);
    EXPECT_EQ(ids(own), (std::vector<int>{1}));
    EXPECT_EQ(ids(shared), (std::vector<int>{2, 4, 3}));
}

}  // namespace
