// A clock's first frame already shows it where every later frame does: its
// set-up moves the clock node while that node is being drawn.
#include <gtest/gtest.h>

#include <vector>

#include "host/frame_driver.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace {

// The modelview of every mesh under node, in drawing order.
void matrices(const Object* node, std::vector<double>* out) {
    for (const Model* m : node->models) out->insert(out->end(), m->modelview, m->modelview + 16);
    for (const Object* child : node->links) matrices(child, out);
}

class ClockFirstFrameTest : public lunabrelle::test::MeadowWorldTest {};

TEST_F(ClockFirstFrameTest, FirstFrameDrawsTheClockWhereTheSecondDoes) {
    struct Case {
        const char* what;
        bool analog, h24;
    };
    for (const Case c : {Case{"12-hour", false, false}, Case{"24-hour", false, true}, Case{"analog", true, false}}) {
        SCOPED_TRACE(c.what);
        conf->show_time = true;
        conf->analog_clock = c.analog;
        conf->time_24h = c.h24;
        // A moment at which nothing changes in the next 10 ms.
        clock.set(2024, 6, 1, 12, 34, 56, 100);
        build();
        frame(0);
        std::vector<double> first, second;
        matrices(overlay->links.back(), &first);
        // The second hand turns continuously: compare the plate or dial only.
        first.resize(16);
        frame(10);
        matrices(overlay->links.back(), &second);
        second.resize(16);
        EXPECT_EQ(first, second);
    }
}

}  // namespace
