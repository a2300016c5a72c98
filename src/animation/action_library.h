// Reusable action functions. They read their parameters from Action_curent
// (ipar = axis 0/1/2, par1..par3, time in ms) and their node from
// Object_curent. Rates are per second, angles in degrees, phases in radians.
#pragma once

void move_linear(void*);         // delta position[ipar] += time * par1 / 1000
void move_linear_global(void*);  // node position[ipar] += time * par1 / 1000; time = 0
void move_sin(void*);            // delta position[ipar] += par1 * sin(par3 + time * par2 / 1000)
void move_exp(void*);            // delta position[ipar] += par1 * (1 - exp(par2 * time / 1000))
void rot_linear(void*);          // delta rotation[ipar] += time * par1 / 1000 + par2
void rot_linear_global(void*);   // node rotation[ipar] += time * par1 / 1000 + par2; time = 0
void rot_sin(void*);             // delta rotation[ipar] += par1 * sin(par3 + time * par2 / 1000)
void die_after_msec(void*);      // node del() once time > par1
void set_light(void*);           // GL_LIGHT0 + ipar (1..5) placed at LightPosition
