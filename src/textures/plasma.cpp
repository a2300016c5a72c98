#include "textures/plasma.h"

#include <algorithm>
#include <cmath>

namespace {

// Columns whose x waves are computed at once; the sums are kept on the stack.
constexpr int kColumnBlock = 256;

}  // namespace

void plasma(int time, int width, int height, unsigned char* pixels, void* param) {
    if (width < 1 || height < 1 || pixels == nullptr || param == nullptr) return;
    const auto* p = static_cast<const unsigned char*>(param);
    const double t = time;
    // 6.28 rather than 2 pi: the waves do not quite close over the texture.
    const double sx = 6.28 / width;
    const double sy = 6.28 / height;
    const double slow = -0.00012 * t;
    const double middle = -0.00024 * t;
    const double fast = -0.0048 * t;

    // The x waves depend on the column only and the y waves on the row only,
    // so each sine is evaluated once per column or row. The sum keeps the
    // order x1 + x2 + x3 + y1 + y2 + y3, which keeps the truncated value
    // exactly that of summing the six waves per pixel.
    double xsum[kColumnBlock];
    for (int x0 = 0; x0 < width; x0 += kColumnBlock) {
        const int columns = std::min(kColumnBlock, width - x0);
        for (int k = 0; k < columns; ++k) {
            const double x = x0 + k;
            xsum[k] = std::sin(slow + sx * x) + std::sin(middle + 2 * sx * x) +
                      std::sin(fast + 4 * sx * x);
        }
        for (int y = 0; y < height; ++y) {
            const double yd = y;
            const double y1 = std::sin(slow + sy * yd);
            const double y2 = std::sin(middle + 2 * sy * yd);
            const double y3 = std::sin(fast + 4 * sy * yd);
            const bool grid_row = y % 16 == 0 || y == height - 1;
            unsigned char* out = pixels + 4 * (static_cast<long>(y) * width + x0);
            for (int k = 0; k < columns; ++k, out += 4) {
                const double s = xsum[k] + y1 + y2 + y3;
                const int v = static_cast<int>(s * 21.0 + 128.0);  // 2 .. 254
                const auto d = static_cast<unsigned char>(v - 120);
                out[0] = static_cast<unsigned char>(p[0] + d);
                out[1] = static_cast<unsigned char>(p[1] + d);
                out[2] = static_cast<unsigned char>(p[2] + d);
                out[3] = v > 120 && v < 127 ? 255 : 0;
                const int x = x0 + k;
                if (grid_row || x % 16 == 0 || x == width - 1) {
                    out[1] = 127;
                    out[3] = 255;
                }
            }
        }
    }
}

void delete_plasma_param(void* param) { delete[] static_cast<unsigned char*>(param); }
