// The plasma generator: six drifting sine waves, three along x and three
// along y. Pattern values 121 to 126 are opaque, the rest transparent, so the
// picture shows moving contour lines; an opaque grid lies over it every 16
// pixels and along the last row and column. The colour is a base colour of
// three parameter bytes shifted by the pattern value. No state: the picture
// depends only on time, size and parameters.
#pragma once

// Fills width * height RGBA pixels (row 0 first) for time in milliseconds.
// param points at three unsigned bytes p0, p1, p2 (the base colour). A size
// below 1 writes nothing.
void plasma(int time, int width, int height, unsigned char* pixels, void* param);

// Frees a parameter block made with new unsigned char[3]; null is allowed.
void delete_plasma_param(void* param);
