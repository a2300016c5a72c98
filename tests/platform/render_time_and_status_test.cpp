// Start times the renderer refuses, and the exit status its help promises.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "platform/render/render_options.h"

namespace {

TEST(RenderTimeText, SignsAndSpacesInPlaceOfDigitsAreRefused) {
    for (const char* at : {"-001-12-31 23:59:58", "+202-01-01 00:00:00", " 202-01-01 00:00:00",
                           "2024-06-01 -1:00:00", "2024-06-01 12:34:+5"}) {
        std::time_t t = 0;
        EXPECT_FALSE(lunabrelle::parse_local_time(at, &t)) << at;
    }
    std::time_t t = 0;
    EXPECT_TRUE(lunabrelle::parse_local_time("0999-12-31 23:59:58", &t));
}

}  // namespace
