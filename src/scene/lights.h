// Light 1, the scene's one light.
#pragma once

extern float LightAmbient[4];
extern float LightDiffuse[4];
extern float LightSpecular[4];
extern float ATT;   // constant attenuation
extern float ATTN;  // quadratic attenuation
extern float LightPosition[4];  // reset to (0, 0, 0, 1) with every world
