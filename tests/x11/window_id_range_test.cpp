// A window id is any value from 1 to 0xFFFFFFFF, the 32 bits a host may
// write, in decimal or 0x hex; 0 and anything wider are not.
#include <gtest/gtest.h>

#include "platform/x11/options.h"

namespace lunabrelle::x11 {
namespace {

TEST(WindowIdRange, EdgesOfTheThirtyTwoBitRange) {
    const struct {
        const char* text;
        unsigned long id;  // 0: refused
    } cases[] = {
        {"0xFFFFFFFF", 0xFFFFFFFFul}, {"4294967295", 0xFFFFFFFFul}, {"0x1", 1}, {"1", 1},
        {"0x100000000", 0},           {"4294967296", 0},            {"0", 0},   {"0x0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        unsigned long id = 7;
        EXPECT_EQ(parse_window_id(c.text, &id), c.id != 0);
        EXPECT_EQ(id, c.id != 0 ? c.id : 7ul);
    }
}

}  // namespace
}  // namespace lunabrelle::x11
