// The butterfly builder: a body and two beating wings under a carrier node.
#pragma once

// Action function, run once on the carrier (Object_curent). data is the name
// of the butterfly archive (a string constant holding "brushko" and "krilo").
// From Action_curent: ipar nonzero gives the body a bob along z; par1 is
// added to 14 rad/s for the beat's angular frequency; par2 is the size factor.
// Draws one randi(300) for the wings' start phase.
void babochka_f(void* data);
