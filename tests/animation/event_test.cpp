// Event slots: templates copied on every send, id commands after templates,
// forwards carried out depth first, and slot numbers that do not exist.
#include <gtest/gtest.h>

#include "animation/animate.h"
#include "animation/event.h"

namespace {

void nothing(void*) {}

Action with_id(int id) {
    Action a(id, true, 0.0);
    a.init(nothing, nullptr);
    return a;
}

std::vector<int> ids(const Animate& list) {
    std::vector<int> out;
    for (const Action& a : list.actions) out.push_back(a.get_id());
    return out;
}

TEST(Event, SlotsAreNumberedInOrderAndStartEmpty) {
    Animate list;
    Event e;
    e.setup(&list);
    EXPECT_EQ(e.create_slot(), 0);
    e.add_action(with_id(1));
    EXPECT_EQ(e.create_slot(), 1);
    EXPECT_TRUE(e.slot_actions[1].empty());
    EXPECT_EQ(e.slot_actions[0].size(), 1u);
    EXPECT_TRUE(e.select_slot(0));
    e.add_action(with_id(2));
    EXPECT_EQ(e.slot_actions[0].size(), 2u);
    EXPECT_TRUE(e.slot_actions[1].empty());
    EXPECT_FALSE(e.select_slot(2));
    EXPECT_FALSE(e.select_slot(-1));
    EXPECT_EQ(e.slot, 0);
}

TEST(Event, EverySendAddsIndependentCopies) {
    Animate list;
    Event e;
    e.setup(&list);
    e.create_slot();
    Action a = with_id(3);
    a.time = 0.0;
    e.add_action(a);
    e.send(0);
    e.send(0);
    ASSERT_EQ(list.actions.size(), 2u);
    list.actions[0].animate(250);
    EXPECT_EQ(list.actions[0].time, 250.0);
    EXPECT_EQ(list.actions[1].time, 0.0);
    EXPECT_EQ(e.slot_actions[0][0].time, 0.0);
    EXPECT_EQ(list.actions[1].position, &list.delta);
}

TEST(Event, IdCommandsFollowTheTemplatesOfTheSameSlot) {
    Animate list;
    Event e;
    e.setup(&list);
    e.create_slot();  // slot 0: starts an id-1 action elsewhere
    e.add_action(with_id(1));
    e.create_slot();  // slot 1: adds id-1 actions and stops id 1
    e.add_action(with_id(1));
    e.add_action(with_id(2));
    e.add_idmove({1, 0});
    e.send(0);
    e.send(1);
    ASSERT_EQ(ids(list), (std::vector<int>{1, 1, 2}));
    EXPECT_FALSE(list.actions[0].running);  // also the one slot 0 started
    EXPECT_FALSE(list.actions[1].running);  // and the copy just added
    EXPECT_TRUE(list.actions[2].running);

    e.create_slot();  // slot 2: start id 1, rip id 2, an unknown command
    e.add_idmove({1, 1});
    e.add_idmove({2, 2});
    e.add_idmove({1, 7});
    e.send(2);
    EXPECT_TRUE(list.actions[0].running);
    EXPECT_TRUE(list.actions[1].running);
    EXPECT_TRUE(list.actions[2].rip());
    EXPECT_FALSE(list.actions[0].rip());
}

TEST(Event, ForwardsAreCarriedOutDepthFirst) {
    // B, C and D feed one list so that the order of arrival shows.
    Animate own, shared;
    Event a, b, c, d;
    a.setup(&own);
    for (Event* e : {&b, &c, &d}) e->setup(&shared);
    b.create_slot();
    b.add_action(with_id(2));
    c.create_slot();
    c.add_action(with_id(3));
    d.create_slot();
    d.create_slot();  // forward to slot 1 of D
    d.add_action(with_id(4));
    b.add_event_and_command({&d, 1});
    a.create_slot();
    a.add_action(with_id(1));
    a.add_event_and_command({&b, 0});
    a.add_event_and_command({&c, 0});
    a.send(0);
    EXPECT_EQ(ids(own), (std::vector<int>{1}));
    EXPECT_EQ(ids(shared), (std::vector<int>{2, 4, 3}));
}

TEST(Event, SlotsThatDoNotExistDoNothing) {
    Animate list;
    Event e;
    e.setup(&list);
    e.add_action(with_id(1));  // no slot selected yet
    e.add_idmove({1, 0});
    e.add_event_and_command({&e, 0});
    e.send(0);
    e.send(-1);
    EXPECT_TRUE(list.actions.empty());
    e.create_slot();
    e.add_action(with_id(1));
    e.send(1);
    e.send(1000);
    EXPECT_TRUE(list.actions.empty());
    e.send(0);
    EXPECT_EQ(list.actions.size(), 1u);
}

}  // namespace
