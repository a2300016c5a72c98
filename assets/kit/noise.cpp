#include "noise.h"

#include <cmath>

#include "rng.h"

namespace kit {

namespace {

int wrap(int i, int period) {
    if (period <= 0) return i;
    const int r = i % period;
    return r < 0 ? r + period : r;
}

double lattice(std::uint32_t seed, int x, int y) {
    const std::uint32_t h = hash32(hash32(seed, static_cast<std::uint32_t>(x)), static_cast<std::uint32_t>(y));
    return (h >> 8) * (1.0 / 16777216.0);
}

double fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

}  // namespace

double value_noise(const ValueNoise& noise, double x, double y) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const double u = fade(x - fx);
    const double v = fade(y - fy);
    const int xa = wrap(x0, noise.period_x), xb = wrap(x0 + 1, noise.period_x);
    const int ya = wrap(y0, noise.period_y), yb = wrap(y0 + 1, noise.period_y);
    const double a = lattice(noise.seed, xa, ya);
    const double b = lattice(noise.seed, xb, ya);
    const double c = lattice(noise.seed, xa, yb);
    const double d = lattice(noise.seed, xb, yb);
    return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

double fbm(const ValueNoise& noise, double x, double y, int octaves, double gain) {
    double sum = 0.0;
    double weight = 0.0;
    double amplitude = 1.0;
    ValueNoise octave = noise;
    for (int i = 0; i < octaves; ++i) {
        // A fresh seed per octave keeps the octaves' lattice points apart.
        octave.seed = hash32(noise.seed, static_cast<std::uint32_t>(i));
        sum += amplitude * value_noise(octave, x, y);
        weight += amplitude;
        amplitude *= gain;
        x *= 2.0;
        y *= 2.0;
        octave.period_x *= 2;
        octave.period_y *= 2;
    }
    return weight > 0.0 ? sum / weight : 0.0;
}

}  // namespace kit
