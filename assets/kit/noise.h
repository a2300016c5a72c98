// Smooth value noise and fractal sums of it, for painting clouds, fur, grass
// and paper-like grain. Lattice values come from a hash of the cell and the
// seed, blended with a quintic fade; results lie in [0, 1].
#pragma once

#include <cstdint>

namespace kit {

struct ValueNoise {
    std::uint32_t seed = 0;
    // When above 0 the lattice repeats every period cells along that axis, so
    // a texture whose coordinate spans whole periods wraps without a seam.
    int period_x = 0;
    int period_y = 0;
};

double value_noise(const ValueNoise& noise, double x, double y);

// Sum of octaves of value noise, each twice the frequency and gain times the
// amplitude of the one before, normalised back to [0, 1]. Periods double with
// the frequency, so a periodic noise stays periodic.
double fbm(const ValueNoise& noise, double x, double y, int octaves, double gain = 0.5);

}  // namespace kit
