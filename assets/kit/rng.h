// A small deterministic random generator (splitmix64): the same seed gives the
// same numbers on every machine, compiler and build type, so generated
// content is reproducible byte for byte.
#pragma once

#include <cstdint>

namespace kit {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state(seed) {}

    std::uint64_t next();
    double uniform();                     // [0, 1)
    double range(double lo, double hi);   // [lo, hi)
    int below(int n);                     // 0 .. n-1; n must be at least 1
    bool chance(double probability);      // true with that probability

    std::uint64_t state;
};

// Mixes two numbers into a well-spread 32-bit hash (for seeds and lattices).
std::uint32_t hash32(std::uint32_t a, std::uint32_t b);

}  // namespace kit
