// Scaling of decoded images to power-of-two sides before texture upload.
#pragma once

#include "resources/image_texture.h"

// The power of two nearest to n (n >= 1), ties rounding up: 1 -> 1, 3 -> 4,
// 5 -> 4, 6 -> 8, 12 -> 16.
int nearest_power_of_two(int n);

// Resamples image to width x height (both >= 1) with an area-weighted box
// filter: each new pixel is the average of the old pixels it covers, weighted
// by how much of each it covers.
void scale_image(DecodedImage* image, int width, int height);
