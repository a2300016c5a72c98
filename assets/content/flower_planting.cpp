#include "flower_planting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "flower_habits.h"
#include "kit/noise.h"
#include "kit/rng.h"
#include "scene_layout.h"

namespace content {

namespace {

using kit::Vec2;
using kit::Vec3;

constexpr double kPi = std::numbers::pi;

// Tallest head allowed at distance r from the centre: the meadow rises towards
// the middle and stays low where the butterflies circle near the rim.
double height_limit(double r) { return 10.2 - 5.0 * (r / kBedRadius) * (r / kBedRadius); }

constexpr double kRestingRadius = 1.7;
constexpr double kRestingClearance = 0.35;  // from the body's axis down to the cone's tip

Flower resting_flower() {
    const Habit& h = habit_of(Bloom::coneflower);
    Flower f;
    f.kind = Bloom::coneflower;
    f.radius = kRestingRadius;
    f.facing = kRestingUp;
    f.head = kRestingBody - kRestingUp * (kRestingClearance + h.centre_z * kRestingRadius);
    f.base = {0.0, f.head.y + 2.2, 0.0};
    f.spin = 10.0;
    return f;
}

// Picks a kind for a place: each kind is common in its own patches.
Bloom pick_kind(kit::Rng& rng, Vec2 p) {
    double weights[std::size(kHabits)];
    double total = 0.0;
    for (std::size_t i = 0; i < std::size(kHabits); ++i) {
        const kit::ValueNoise patch{static_cast<std::uint32_t>(300 + i)};
        const double n = kit::value_noise(patch, p.x / 7.0 + 50.0, p.y / 7.0 + 50.0);
        weights[i] = kHabits[i].share * (0.15 + 1.7 * n * n);
        total += weights[i];
    }
    double pick = rng.uniform() * total;
    for (std::size_t i = 0; i < std::size(kHabits); ++i) {
        pick -= weights[i];
        if (pick <= 0.0) return kHabits[i].kind;
    }
    return kHabits[0].kind;
}

}  // namespace

std::vector<Flower> plant_flowers() {
    std::vector<Flower> flowers{resting_flower()};
    kit::Rng rng(2024);
    const Vec2 resting{kRestingBody.x, kRestingBody.y};
    constexpr int kWanted = 340;
    for (int attempt = 0; attempt < 40000 && static_cast<int>(flowers.size()) < kWanted; ++attempt) {
        const double r = (kBedRadius - 0.9) * std::sqrt(rng.uniform());
        const double a = rng.range(0.0, 2.0 * kPi);
        const Vec2 p{r * std::cos(a), r * std::sin(a)};
        const Habit& h = habit_of(pick_kind(rng, p));
        const double radius = rng.range(h.radius_lo, h.radius_hi);
        double height = std::min(rng.range(h.height_lo, h.height_hi), height_limit(r));
        // Keep the air round the resting butterfly clear.
        if (length(p - resting) < 4.5) height = std::min(height, 6.0);
        if (length(p - resting) < 2.2) continue;
        bool crowded = false;
        for (const Flower& f : flowers) {
            const double d = length(Vec2{f.base.x, f.base.y} - p);
            const double gap = std::fabs(f.head.z - height) < 1.5 ? 0.8 * (f.radius + radius) : 0.55;
            if (d < gap) {
                crowded = true;
                break;
            }
        }
        if (crowded) continue;
        Flower f;
        f.kind = h.kind;
        f.radius = radius;
        f.base = {p.x, p.y, 0.0};
        // Heads nod a little, and lean outwards near the rim.
        const double tilt = rng.range(0.0, 0.3) + 0.35 * (r / kBedRadius) * (r / kBedRadius);
        const double toward = r > 1.0 ? std::atan2(p.y, p.x) + rng.range(-0.8, 0.8) : rng.range(0.0, 2.0 * kPi);
        f.facing = kit::normalized(Vec3{std::cos(toward) * std::sin(tilt), std::sin(toward) * std::sin(tilt),
                                        std::cos(tilt)});
        f.head = Vec3{p.x, p.y, height} + Vec3{f.facing.x, f.facing.y, 0.0} * 0.8;
        f.spin = rng.range(0.0, 360.0);
        flowers.push_back(f);
    }
    return flowers;
}

}  // namespace content
