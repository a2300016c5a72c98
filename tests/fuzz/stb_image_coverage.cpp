// The image decoder built into the fuzz targets that decode (see CMakeLists.txt).
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
