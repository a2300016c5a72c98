#include "resources/image_scale.h"

#include <algorithm>
#include <cmath>

namespace {

struct Tap {
    std::size_t index;
    double weight;
};

// For each of out samples along one axis, the in samples it covers and their
// weights (summing to 1). Sample o covers [o, o + 1) * in / out.
std::vector<std::vector<Tap>> taps(int in, int out) {
    std::vector<std::vector<Tap>> result(static_cast<std::size_t>(out));
    const double step = double(in) / double(out);
    for (int o = 0; o < out; ++o) {
        const double lo = o * step, hi = (o + 1) * step;
        for (int i = int(std::floor(lo)); i < in && i < hi; ++i) {
            const double covered = std::min(hi, i + 1.0) - std::max(lo, double(i));
            if (covered > 0) result[std::size_t(o)].push_back({std::size_t(i), covered / step});
        }
    }
    return result;
}

}  // namespace

int nearest_power_of_two(int n) {
    int below = 1;
    while (below <= n / 2) below *= 2;
    return 2 * (n - below) >= below ? below * 2 : below;
}

void scale_image(DecodedImage* image, int width, int height) {
    if (width == image->width && height == image->height) return;
    const std::size_t channels = std::size_t(image->bits_per_pixel / 8);
    const std::size_t old_width = std::size_t(image->width), old_height = std::size_t(image->height);
    const std::size_t new_width = std::size_t(width), new_height = std::size_t(height);
    const auto across = taps(image->width, width);
    const auto down = taps(image->height, height);

    // Across first, into a buffer of the new width and the old height.
    std::vector<double> rows(new_width * old_height * channels, 0.0);
    for (std::size_t y = 0; y < old_height; ++y)
        for (std::size_t x = 0; x < new_width; ++x)
            for (const Tap& t : across[x]) {
                const std::uint8_t* from = &image->pixels[(y * old_width + t.index) * channels];
                double* to = &rows[(y * new_width + x) * channels];
                for (std::size_t c = 0; c < channels; ++c) to[c] += t.weight * from[c];
            }

    // Then down, rounding to the nearest sample value.
    std::vector<std::uint8_t> scaled(new_width * new_height * channels);
    for (std::size_t y = 0; y < new_height; ++y)
        for (std::size_t x = 0; x < new_width; ++x)
            for (std::size_t c = 0; c < channels; ++c) {
                double sum = 0.0;
                for (const Tap& t : down[y]) sum += t.weight * rows[(t.index * new_width + x) * channels + c];
                scaled[(y * new_width + x) * channels + c] =
                    static_cast<std::uint8_t>(std::clamp(std::floor(sum + 0.5), 0.0, 255.0));
            }
    image->width = width;
    image->height = height;
    image->pixels = std::move(scaled);
}
