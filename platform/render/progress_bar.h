// A progress bar on stderr for long runs: it appears once a run has taken a
// second of wall time and is redrawn at most ten times a second.
#pragma once

#include <chrono>
#include <cstdint>

namespace lunabrelle {

class ProgressBar {
public:
    explicit ProgressBar(std::int64_t total);

    // done frames of total are drawn.
    void update(std::int64_t done);

    // Draws the full bar and ends its line, if it was shown at all.
    void finish();

    std::int64_t total;
    bool shown = false;
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::time_point last_drawn;

private:
    void draw(std::int64_t done);
};

}  // namespace lunabrelle
