// The image decoder compiled into the fuzz targets that decode, with their
// coverage instrumentation, so that libFuzzer sees its branches; the
// executable's definitions take the place of the shared library's. Built from
// the same header the shared library is built from.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
