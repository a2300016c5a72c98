// Image decoding and texture upload on arbitrary entry bytes, in a real GL
// context. A decoded image must be whole, an upload must leave no GL error
// and the unpack alignment as found, and a failure must leave no texture
// bound.
#include <GL/gl.h>

#include <climits>
#include <cstdint>

#include "fuzz_setup.h"
#include "resources/image_texture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    gl_context();
    const auto count = static_cast<std::int32_t>(size > INT32_MAX ? INT32_MAX : size);

    DecodedImage image;
    const bool decoded = decode_image(data, count, &image);
    if (decoded) {
        require(image.width > 0 && image.height > 0, "a decoded image has pixels");
        require(image.bits_per_pixel == 24 || image.bits_per_pixel == 32, "8-bit RGB or RGBA");
        require(image.pixels.size() ==
                    std::size_t(image.width) * std::size_t(image.height) * std::size_t(image.bits_per_pixel / 8),
                "rows are tightly packed and complete");
    }

    const GLuint texture = mac_load_tex(data, count);
    require(glGetError() == GL_NO_ERROR, "decoding and upload raise no GL error");
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    require(alignment == 4, "the unpack alignment is left as found");
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (texture == 0) {
        // Every input starts with no texture bound; a failure binds none.
        require(bound == 0, "a failed upload leaves no texture bound");
        return 0;
    }
    require(decoded, "only a decodable image becomes a texture");
    require(GLuint(bound) == texture, "the new texture is left bound");
    glDeleteTextures(1, &texture);
    return 0;
}
