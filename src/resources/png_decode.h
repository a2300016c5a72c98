// A quick path for the PNG images the archives hold: 8-bit RGB or RGBA, not
// interlaced, without a transparency chunk. It gives the same pixels as the
// general decoder in decode_image, in half the time.
#pragma once

#include <cstdint>

#include "resources/image_texture.h"

// Decodes count bytes into *out when they are such a PNG. False, with *out
// unchanged, for anything else: other kinds of PNG, other formats, and
// damaged files (a bad checksum, a truncated stream, too large a size), which
// are left to the general decoder.
bool decode_plain_png(const unsigned char* bytes, std::int32_t count, DecodedImage* out);
