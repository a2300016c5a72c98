// The list of running actions of one node, run once per drawn frame.
#pragma once

#include <cstdint>
#include <vector>

#include "animation/action.h"
#include "scene/coordin.h"

class Animate {
public:
    Animate();  // now = CURENT_TIME, speed 1

    // Appends a copy of a whose position is this list's delta.
    void add(Action a);

    // Runs one frame: frame time from the world clock, every action animated in
    // order (ripped ones erased first), then the delta applied with move().
    void make();

    void start_id(int id);
    void stop_id(int id);
    void set_rip_id(int id);

    std::uint32_t now = 0;
    std::uint32_t prev = 0;
    double speed = 1.0;
    Coordin delta;
    std::vector<Action> actions;
};
