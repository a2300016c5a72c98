// Each flag of the settings file alone off its default: written at its own
// byte and read back into its own field, so no two flags can trade places.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "settings/config.h"

namespace {

TEST(FlagLayout, EachFlagAloneLandsInItsOwnByteAndComesBack) {
    // Declared order of the file: byte 21 onwards.
    bool Config::* const flags[] = {&Config::show_fps,  &Config::show_time,     &Config::analog_clock,
                                    &Config::time_24h,  &Config::big_clock,     &Config::show_calendar,
                                    &Config::monday_first};
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE("flag byte " + std::to_string(21 + k));
        Config changed;
        changed.*flags[k] = !(changed.*flags[k]);
        std::ostringstream out;
        ASSERT_TRUE(changed.save(out));
        const std::string bytes = out.str();
        ASSERT_EQ(bytes.size(), 28u);
        EXPECT_EQ(bytes[std::size_t(21 + k)], changed.*flags[k] ? 1 : 0);
        std::istringstream in(bytes);
        const Config read(in);
        for (int j = 0; j < 7; ++j) EXPECT_EQ(read.*flags[j], changed.*flags[j]) << "flag " << j;
    }
}

}  // namespace
