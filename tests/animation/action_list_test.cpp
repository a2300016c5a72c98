// Actions, the per-node action list on the world clock, and event slots.
#include <limits>
#include <utility>
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

// Ids in list order, negative for stopped actions.
std::vector<int> ids(const Animate& list) {
    std::vector<int> out;
    for (const Action& a : list.actions) out.push_back(a.running ? a.get_id() : -a.get_id());
    return out;
}

TEST(Action, LivesItsDurationRunningOnlyAndZeroIsEndless) {
    for (double duration : {0.0, -0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        Action a = recording(1, duration);
        for (int i = 0; i < 20; ++i) a.animate(1'000'000);
        EXPECT_EQ(a.rip(), duration != 0.0) << duration;  // a negative or NaN one runs once
    }
    runs.clear();
    Action a = recording(1, 1000.0);
    a.animate(600);
    a.stop();  // neither ages nor runs while stopped
    a.animate(600);
    a.start();
    a.animate(300);
    EXPECT_FALSE(a.rip());
    a.animate(100);  // exactly used up
    EXPECT_TRUE(a.rip());
    EXPECT_EQ(runs.size(), 3u);
}

using AnimateTest = lunabrelle::test::GlTest;  // a list's frame moves the modelview

void append_to_own_list(void* list) { static_cast<Animate*>(list)->add(recording(9, -1.0)); }

TEST_F(AnimateTest, FrameTimesFollowTheWorldClockAcrossItsWrapAndExpiredRippedAndAppendedActionsKeepTheOrder) {
    runs.clear();
    CURENT_TIME = 0xFFFFFE00u;
    Animate list;
    list.add(recording(1, 0.0));
    // 256, 512 past 2^32, 0 in the same millisecond, 2.5 -> 2, 4.5 -> 4, held at 0.
    const std::pair<std::uint32_t, double> frames[] = {
        {0xFFFFFF00u, 1.0}, {0x100u, 1.0}, {0x100u, 1.0}, {0x105u, 0.5}, {0x108u, 1.5}, {0x109u, -1.0}};
    for (auto [now, speed] : frames) {
        CURENT_TIME = now;
        list.speed = speed;
        list.make();
    }
    std::vector<double> times;
    for (const auto& run : runs) times.push_back(run.second);
    EXPECT_EQ(times, (std::vector<double>{256, 768, 768, 770, 774, 774}));
    Animate order;
    for (int id : {1, 2, 3}) order.add(recording(id, 0.0));
    order.add(recording(4, 1000.0));
    for (int frame = 1; frame <= 3; ++frame) {
        CURENT_TIME += 400;
        order.make();
    }
    EXPECT_EQ(order.actions.size(), 4u);  // expired in its last run, still listed
    order.set_rip_id(2);
    Action spawner(5, true, -1.0);
    spawner.init(append_to_own_list, &order);
    order.add(spawner);  // the list grows (and may move) while it runs
    runs.clear();
    order.make();
    EXPECT_EQ(runs, (std::vector<std::pair<int, double>>{{1, 1200}, {3, 1200}, {9, 0}}));
    order.make();
    EXPECT_EQ(ids(order), (std::vector<int>{1, 3}));
}

TEST(Event, SendCopiesTemplatesThenCarriesOutIdCommandsThenForwardsDepthFirst) {
    Animate list, other;  // b, c and d feed one list so the order shows
    Event e, b, c, d;
    e.setup(&list);
    for (Event* f : {&b, &c, &d}) f->setup(&other);
    EXPECT_EQ(e.create_slot(), 0);  // slot 0: an id-1 action
    e.add_action(recording(1, 0.0));
    EXPECT_EQ(e.create_slot(), 1);  // slot 1: id-1 and id-2 actions, then stop id 1
    for (int id : {1, 2}) e.add_action(recording(id, 0.0));
    e.add_idmove({1, 0});
    e.send(0);
    list.actions[0].animate(250);  // copies, not the template
    EXPECT_EQ(e.slot_actions[0][0].time, 0.0);
    EXPECT_EQ(list.actions[0].position, &list.delta);
    e.send(1);
    EXPECT_EQ(ids(list), (std::vector<int>{-1, -1, 2}));
    e.create_slot();  // slot 2: start id 1, rip id 2, an unknown command, forwards
    for (idmove m : {idmove{1, 1}, idmove{2, 2}, idmove{1, 7}}) e.add_idmove(m);
    for (auto [f, id] : {std::pair{&b, 3}, {&c, 4}, {&d, 5}}) {
        f->create_slot();
        f->add_action(recording(id, 0.0));
    }
    b.add_event_and_command({&d, 0});
    e.add_event_and_command({&b, 0});
    e.add_event_and_command({&c, 0});
    e.send(2);
    EXPECT_EQ(ids(list), (std::vector<int>{1, 1, 2}));
    EXPECT_TRUE(list.actions[2].rip());
    EXPECT_EQ(ids(other), (std::vector<int>{3, 5, 4}));
    for (int slot : {-1, 3, 1000}) e.send(slot);  // slots that do not exist do nothing
    EXPECT_EQ(list.actions.size(), 3u);
}

}  // namespace
