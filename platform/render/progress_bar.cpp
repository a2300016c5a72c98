#include "platform/render/progress_bar.h"

#include <cstdio>
#include <string>

namespace lunabrelle {

ProgressBar::ProgressBar(std::int64_t total_frames)
    : total(total_frames), started(std::chrono::steady_clock::now()), last_drawn(started) {}

void ProgressBar::update(std::int64_t done) {
    using namespace std::chrono_literals;
    const auto now = std::chrono::steady_clock::now();
    if (now - started < 1s || now - last_drawn < 100ms) return;
    last_drawn = now;
    draw(done);
}

void ProgressBar::finish() {
    if (!shown) return;
    draw(total);
    std::fputc('\n', stderr);
}

void ProgressBar::draw(std::int64_t done) {
    constexpr int kWidth = 40;
    const int filled = total > 0 ? static_cast<int>(done * kWidth / total) : kWidth;
    const std::string bar = std::string(filled, '#') + std::string(kWidth - filled, '.');
    std::fprintf(stderr, "\r[%s] %3d%% %lld/%lld frames", bar.c_str(),
                 static_cast<int>(total > 0 ? done * 100 / total : 100),
                 static_cast<long long>(done), static_cast<long long>(total));
    std::fflush(stderr);
    shown = true;
}

}  // namespace lunabrelle
