#include "host/random_seed.h"

#include <cstdlib>

#include "platform/system/system.h"

namespace {

bool seeded = false;

}  // namespace

void seed_random(unsigned seed) {
    std::srand(seed);
    seeded = true;
}

void seed_random_once() {
    if (!seeded) seed_random(platform::random_seed());
}
