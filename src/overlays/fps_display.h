// The frame-rate display: every 5000 ms of its action's clock, digit nodes
// from "utils.pak" showing the frames counted over that time divided by 5
// (hundreds, tens and units at x 0.5, 1.9, 3.3, leading zeros left out), each
// deleting itself after 5000 ms of its own.
#pragma once

// Endless action function on the frame-rate node (Object_curent). Counts the
// frame in fps_frames; once Action_curent's time is above 0 it rewinds that
// time by 5000 ms, links the digits of fps_frames / 5 and resets the count.
// Whole periods beyond that one (a pause, a clock set forward or back) are
// dropped: one display per frame at most, the next a period later.
void display_fps(void*);
