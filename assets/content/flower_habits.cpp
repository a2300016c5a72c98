#include "flower_habits.h"

namespace content {

const Habit kHabits[kBloomKinds] = {
    {Bloom::daisy, 0.17, 0.75, 0.95, 5.5, 9.0, 0.14, 0.28, 0.05, -0.04, false, 16},
    {Bloom::chamomile, 0.06, 0.5, 0.65, 4.0, 7.0, 0.3, 0.36, 0.12, -0.18, false, 12},
    {Bloom::poppy, 0.11, 0.95, 1.25, 6.0, 9.5, -0.06, 0.3, 0.02, 0.32, false, 10},
    {Bloom::poppy_orange, 0.04, 0.9, 1.15, 6.0, 9.0, -0.06, 0.3, 0.02, 0.3, false, 10},
    {Bloom::cornflower, 0.11, 0.6, 0.75, 5.5, 8.5, 0.1, 0.3, 0.08, 0.14, false, 14},
    {Bloom::buttercup, 0.12, 0.45, 0.6, 4.0, 7.5, 0.0, 0.35, 0.1, 0.38, true, 15},
    {Bloom::cosmos_pink, 0.07, 0.95, 1.15, 6.5, 10.0, 0.08, 0.2, 0.02, 0.0, false, 14},
    {Bloom::cosmos_magenta, 0.05, 0.9, 1.1, 6.5, 10.0, 0.08, 0.2, 0.02, 0.0, false, 14},
    {Bloom::clover, 0.1, 0.42, 0.52, 2.2, 4.0, 0.65, 0.55, 0.45, 0.0, true, 10},
    {Bloom::scabious, 0.06, 0.75, 0.9, 5.5, 9.0, 0.2, 0.48, 0.15, 0.05, false, 14},
    {Bloom::coneflower, 0.04, 1.1, 1.35, 7.0, 10.0, 0.3, 0.34, 0.1, -0.35, true, 16},
    {Bloom::bellflower, 0.06, 0.55, 0.7, 4.5, 7.5, -0.35, 0.3, -0.12, 0.12, true, 12},
};

const Habit& habit_of(Bloom kind) {
    for (const Habit& h : kHabits)
        if (h.kind == kind) return h;
    return kHabits[0];
}

}  // namespace content
