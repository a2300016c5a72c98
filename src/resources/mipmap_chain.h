// The mipmap levels of a decoded image, built on the CPU by repeated halving
// with a box filter: each texel of the next level is the rounded mean of the
// 2 x 2 texels it covers ((a + b + c + d + 2) / 4), or, once one side has
// reached 1, the truncated mean of the 2 texels it covers ((a + b) / 2).
// These are the texels GLU's mipmap builder makes for power-of-two images.
#pragma once

#include "resources/image_texture.h"

// Replaces image by its next level: each side halved (a side of 1 stays 1).
// image must have power-of-two sides, not both 1, and pixels of
// width * height * bits_per_pixel / 8 bytes.
void halve_image(DecodedImage* image);

// Uploads image (power-of-two sides) as level 0 of the bound GL_TEXTURE_2D and
// every smaller level down to 1 x 1, in the image's own format (GL_RGB or
// GL_RGBA, unsigned bytes) as internal format. image is consumed: it holds the
// 1 x 1 level afterwards. Expects an unpack alignment of 1 and sides no
// larger than GL_MAX_TEXTURE_SIZE.
void upload_mipmap_chain(DecodedImage* image);
