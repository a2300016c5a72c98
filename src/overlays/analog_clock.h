// The analog clock: dial and second, minute and hour hands from "clock.pak",
// drawn over the scene, the hands turned about z every frame. Angles in whole
// degrees, negative clockwise as seen by the viewer.
#pragma once

// Action function, run once on the clock node (Object_curent); no parameter.
// Shifts the node by (-9.3, 9, 0) and links the dial and the three hands.
void init_analog_clock(void*);

// Every frame on a hand: ipar of Action_curent selects it (1 second, 2 minute,
// 3 hour; others nothing). Sets the rotation of the action's per-frame delta to
// (0, 0, angle): -6 * sec, -6 * min, or -30 * hour - min / 2.
void analog_clock_rot(void*);
