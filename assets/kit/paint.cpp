#include "paint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kit {

namespace {

Box clip(const Image& image, Box b) {
    return {std::max(b.x0, 0), std::max(b.y0, 0), std::min(b.x1, image.width), std::min(b.y1, image.height)};
}

Box around(Vec2 lo, Vec2 hi, double margin) {
    return {static_cast<int>(std::floor(lo.x - margin)), static_cast<int>(std::floor(lo.y - margin)),
            static_cast<int>(std::ceil(hi.x + margin)) + 1, static_cast<int>(std::ceil(hi.y + margin)) + 1};
}

// Distance from p to the segment a-b, and where along it (0..1) the nearest point lies.
double segment_distance(Vec2 p, Vec2 a, Vec2 b, double* along) {
    const Vec2 ab = b - a;
    const double len2 = dot(ab, ab);
    const double t = len2 > 0.0 ? std::clamp(dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    *along = t;
    return length(p - (a + ab * t));
}

}  // namespace

void paint(Image& image, Box box, const Shader& shader) {
    const Box b = clip(image, box);
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) image.blend(x, y, shader(x + 0.5, y + 0.5));
}

void paint(Image& image, const Shader& shader) { paint(image, Box{0, 0, image.width, image.height}, shader); }

double smoothstep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double coverage(double d, double softness) {
    if (softness <= 0.0) return d <= 0.0 ? 1.0 : 0.0;
    return 1.0 - smoothstep(-0.5 * softness, 0.5 * softness, d);
}

Rgba gradient(std::span<const GradientStop> stops, double t) {
    if (stops.empty()) return {};
    if (t <= stops.front().at) return stops.front().color;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const double span = stops[i].at - stops[i - 1].at;
            return mix(stops[i - 1].color, stops[i].color, span > 0.0 ? (t - stops[i - 1].at) / span : 1.0);
        }
    }
    return stops.back().color;
}

void paint_disc(Image& image, Vec2 c, double radius, double softness, Rgba color) {
    const double reach = radius + softness;
    paint(image, around(c, c, reach), [&](double x, double y) {
        const double d = length(Vec2{x, y} - c) - radius;
        return with_alpha(color, color.a * coverage(d, softness));
    });
}

void paint_ellipse(Image& image, Vec2 c, Vec2 radii, double angle_degrees, double softness, Rgba color) {
    const double a = angle_degrees * std::numbers::pi / 180.0;
    const double ca = std::cos(a), sa = std::sin(a);
    const double reach = std::max(radii.x, radii.y) + softness;
    const double small = std::min(radii.x, radii.y);
    paint(image, around(c, c, reach), [&](double x, double y) {
        const Vec2 p = Vec2{x, y} - c;
        const double u = (p.x * ca + p.y * sa) / radii.x;
        const double v = (-p.x * sa + p.y * ca) / radii.y;
        // Scaled radial distance: exact on circles, close enough on ellipses
        // for soft edges.
        const double d = (std::sqrt(u * u + v * v) - 1.0) * small;
        return with_alpha(color, color.a * coverage(d, softness));
    });
}

void paint_stroke(Image& image, std::span<const Vec2> path, double width_start, double width_end,
                  double softness, Rgba color) {
    if (path.empty()) return;
    Vec2 lo = path[0], hi = path[0];
    for (const Vec2& p : path) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    const double reach = 0.5 * std::max(width_start, width_end) + softness;
    const Box box = clip(image, around(lo, hi, reach));
    if (box.x1 <= box.x0 || box.y1 <= box.y0) return;
    const int w = box.x1 - box.x0;
    std::vector<float> cover(static_cast<std::size_t>(w) * (box.y1 - box.y0), 0.0f);

    std::vector<double> run(path.size(), 0.0);
    for (std::size_t i = 1; i < path.size(); ++i) run[i] = run[i - 1] + length(path[i] - path[i - 1]);
    const double total = run.back() > 0.0 ? run.back() : 1.0;

    const std::size_t segments = path.size() > 1 ? path.size() - 1 : 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const Vec2 a = path[i];
        const Vec2 b = path[std::min(i + 1, path.size() - 1)];
        const Box sb = clip(image, around({std::min(a.x, b.x), std::min(a.y, b.y)},
                                          {std::max(a.x, b.x), std::max(a.y, b.y)}, reach));
        for (int y = sb.y0; y < sb.y1; ++y) {
            for (int x = sb.x0; x < sb.x1; ++x) {
                double t = 0.0;
                const double d = segment_distance({x + 0.5, y + 0.5}, a, b, &t);
                const double along = (run[i] + t * (run[std::min(i + 1, path.size() - 1)] - run[i])) / total;
                const double half = 0.5 * (width_start + (width_end - width_start) * along);
                float& c = cover[static_cast<std::size_t>(y - box.y0) * w + (x - box.x0)];
                c = std::max(c, static_cast<float>(coverage(d - half, softness)));
            }
        }
    }
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) {
            const float c = cover[static_cast<std::size_t>(y - box.y0) * w + (x - box.x0)];
            if (c > 0.0f) image.blend(x, y, with_alpha(color, color.a * c));
        }
}

float Mask::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return values[static_cast<std::size_t>(y) * width + x];
}

Mask polygon_mask(int width, int height, std::span<const Vec2> polygon, int samples) {
    Mask mask(width, height);
    if (polygon.size() < 3 || samples < 1) return mask;
    const float weight = 1.0f / samples;
    std::vector<double> crossings;
    for (int y = 0; y < height; ++y) {
        float* row = &mask.values[static_cast<std::size_t>(y) * width];
        for (int s = 0; s < samples; ++s) {
            const double sy = y + (s + 0.5) / samples;
            crossings.clear();
            for (std::size_t i = 0; i < polygon.size(); ++i) {
                const Vec2 a = polygon[i];
                const Vec2 b = polygon[(i + 1) % polygon.size()];
                if ((a.y <= sy) == (b.y <= sy)) continue;
                crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const double x0 = std::clamp(crossings[i], 0.0, double(width));
                const double x1 = std::clamp(crossings[i + 1], 0.0, double(width));
                if (x1 <= x0) continue;
                const int first = static_cast<int>(x0);
                const int last = std::min(static_cast<int>(x1), width - 1);
                for (int x = first; x <= last; ++x) {
                    const double covered = std::min(x1, x + 1.0) - std::max(x0, double(x));
                    if (covered > 0.0) row[x] += weight * static_cast<float>(covered);
                }
            }
        }
        for (int x = 0; x < width; ++x) row[x] = std::min(row[x], 1.0f);
    }
    return mask;
}

void paint_masked(Image& image, const Mask& mask, const Shader& shader) {
    const int w = std::min(image.width, mask.width);
    const int h = std::min(image.height, mask.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float m = mask.at(x, y);
            if (m <= 0.0f) continue;
            const Rgba c = shader(x + 0.5, y + 0.5);
            image.blend(x, y, with_alpha(c, c.a * m));
        }
}

void clip_to_mask(Image& image, const Mask& mask) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t& a = image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3];
            a = static_cast<std::uint8_t>(std::lround(a * std::clamp(mask.at(x, y), 0.0f, 1.0f)));
        }
}

std::vector<float> distance_inside(const Mask& mask) {
    const int w = mask.width, h = mask.height;
    constexpr float kFar = 1e9f;
    std::vector<float> d(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < d.size(); ++i) d[i] = mask.values[i] >= 0.5f ? kFar : 0.0f;
    auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : d[static_cast<std::size_t>(y) * w + x]; };
    // Forward pass from the top-left neighbours, backward from the bottom-right.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float& v = d[static_cast<std::size_t>(y) * w + x];
            if (v == 0.0f) continue;
            v = std::min({v, at(x - 1, y) + 3.0f, at(x, y - 1) + 3.0f, at(x - 1, y - 1) + 4.0f, at(x + 1, y - 1) + 4.0f});
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            float& v = d[static_cast<std::size_t>(y) * w + x];
            if (v == 0.0f) continue;
            v = std::min({v, at(x + 1, y) + 3.0f, at(x, y + 1) + 3.0f, at(x + 1, y + 1) + 4.0f, at(x - 1, y + 1) + 4.0f});
        }
    for (float& v : d) v /= 3.0f;
    return d;
}

void draw_image(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx) dst.blend(x + sx, y + sy, src.at(sx, sy));
}

std::vector<Vec2> closed_spline(std::span<const Vec2> controls, int steps) {
    std::vector<Vec2> out;
    const std::size_t n = controls.size();
    if (n < 3 || steps < 1) return std::vector<Vec2>(controls.begin(), controls.end());
    out.reserve(n * steps);
    for (std::size_t i = 0; i < n; ++i) {
        const Vec2 p0 = controls[(i + n - 1) % n], p1 = controls[i];
        const Vec2 p2 = controls[(i + 1) % n], p3 = controls[(i + 2) % n];
        for (int k = 0; k < steps; ++k) {
            const double t = double(k) / steps, t2 = t * t, t3 = t2 * t;
            out.push_back((p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 +
                           (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) *
                          0.5);
        }
    }
    return out;
}

void bleed_edges(Image& image, int passes) {
    const int w = image.width, h = image.height;
    std::vector<std::uint8_t> known(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < known.size(); ++i) known[i] = image.pixels[i * 4 + 3] > 0;
    std::vector<std::size_t> grown;
    for (int pass = 0; pass < passes; ++pass) {
        grown.clear();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * w + x;
                if (known[i]) continue;
                int sum[3] = {0, 0, 0};
                int count = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                        const std::size_t j = static_cast<std::size_t>(ny) * w + nx;
                        if (!known[j]) continue;
                        for (int c = 0; c < 3; ++c) sum[c] += image.pixels[j * 4 + c];
                        ++count;
                    }
                if (count == 0) continue;
                for (int c = 0; c < 3; ++c)
                    image.pixels[i * 4 + c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
                grown.push_back(i);
            }
        }
        if (grown.empty()) break;
        for (std::size_t i : grown) known[i] = 1;
    }
}

}  // namespace kit
