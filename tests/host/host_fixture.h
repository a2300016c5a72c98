// Shared set-up of the host tests: a real headless context, a virtual clock
// that counts its readings, a private settings file path and, for the view, a
// resource folder of empty archives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "support/gl_test.h"

namespace lunabrelle::test {

// The virtual wall clock the system reads while a HostTest runs.
struct VirtualClock {
    static void set_ms(std::uint64_t ms) { now_us = static_cast<std::int64_t>(ms) * 1000; }
    static std::int64_t now_us;
    static int readings;  // wall-clock readings since the last reset
};

class HostTest : public GlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A settings file path in the test's own folder (absent until written).
    std::string settings_file() const { return (folder_ / "settings.cfg").string(); }

    // Fills the test's folder with every archive the scene opens, each empty.
    std::string empty_resources() const;

    std::filesystem::path folder_;
};

}  // namespace lunabrelle::test
