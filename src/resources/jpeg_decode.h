// A quick path for the JPEG images the archives hold: 8-bit colour (three
// components), decoded by libjpeg-turbo's vector code in about a third of the
// general decoder's time. Pixels may differ from the general decoder's by the
// rounding of a few units per channel; the picture is the same.
#pragma once

#include <cstdint>

#include "resources/image_texture.h"

// Decodes count bytes into *out as RGB when they are such a JPEG. False, with
// *out unchanged, for anything else: other formats, grey or CMYK JPEGs, and
// damaged files (any error or warning of the decoder, too large a size),
// which are left to the general decoder.
bool decode_colour_jpeg(const unsigned char* bytes, std::int32_t count, DecodedImage* out);
