// A thousand start / resize / stop cycles of the saver in one process, the
// settings changed between them so that every cycle builds other overlays.
// Whatever a cycle takes (heap, GL texture names, archives, descriptors) must
// be back when it stops.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/render/virtual_clock.h"
#include "soak/built_saver.h"

namespace lunabrelle::test {
namespace {

constexpr int kRounds = 1000;
// The rounds repeat their settings and sizes every kCycle rounds; a whole
// cycle first lets the GL driver build what each combination needs once, and
// the storm ends on the same combination it starts after.
constexpr int kCycle = 40;
static_assert(kRounds % kCycle == 0);
constexpr std::int64_t kFrameUs = 16667;
// Heap that may differ between two stopped states after the same round:
// allocator bookkeeping, nothing that grows with the rounds.
constexpr std::int64_t kHeapSlack = 128 * 1024;

// Settings of a round: each overlay switch follows its own bit, so sixteen
// rounds go through every combination of clock, style, calendar and counter.
Config settings_of(int round) {
    const int i = round % kCycle;
    Config c;
    c.show_time = (i & 1) != 0;
    c.analog_clock = (i & 2) != 0;
    c.show_calendar = (i & 4) != 0;
    c.show_fps = (i & 8) != 0;
    c.time_24h = (i & 16) != 0;
    c.big_clock = (i & 32) == 0;
    c.monday_first = i % 3 == 0;
    return c;
}

struct Holdings {
    std::int64_t heap = allocated_bytes();
    int textures = live_texture_names();
    int descriptors = open_descriptors();
};

class LifecycleStormTest : public BuiltSaverTest {
protected:
    void frames(int n) {
        for (int k = 0; k < n; ++k) {
            advance_virtual_time(kFrameUs);
            frame();
        }
    }

    // One host cycle: start, frames, a resize to another tiny size, frames,
    // stop; the settings file written before it as the options sheet would.
    void round(int i) {
        save_settings(settings_of(i));
        view_.startAnimation();
        frames(2);
        view_.setFrameSize(i % 2 ? 48 : 32, i % 5 ? 24 : 36);
        frames(2);
        view_.stopAnimation();
    }
};

TEST_F(LifecycleStormTest, EveryCycleReturnsWhatItTook) {
    set_virtual_time(INT64_C(1798761600) * 1000000);  // 1 January 2027 UTC
    for (int i = 0; i < kCycle; ++i) round(i);
    const Holdings before;
    for (int i = kCycle; i < kCycle + kRounds; ++i) {
        round(i);
        ASSERT_EQ(world_nodes(), 0) << "round " << i;
        ASSERT_EQ(open_archives(), 0) << "round " << i;
        ASSERT_EQ(computed_textures(), 0) << "round " << i;
    }
    const Holdings after;
    EXPECT_EQ(gl_errors_, 0) << "first GL error 0x" << std::hex << first_gl_error_;
    EXPECT_EQ(after.textures, before.textures);
    EXPECT_EQ(after.descriptors, before.descriptors);
    EXPECT_LE(after.heap, before.heap + kHeapSlack)
        << "heap grew from " << before.heap << " to " << after.heap << " bytes";
    RecordProperty("heap_before", std::to_string(before.heap));
    RecordProperty("heap_after", std::to_string(after.heap));
}

}  // namespace
}  // namespace lunabrelle::test
