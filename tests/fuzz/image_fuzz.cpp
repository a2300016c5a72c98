// Image decoding and texture upload on arbitrary entry bytes, in a real GL
// context: a decoded image is whole; an upload raises no GL error, leaves the
// unpack alignment as found and its texture bound; a failure binds none.
#include <GL/gl.h>

#include <climits>

#include "fuzz_setup.h"
#include "resources/image_texture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lunabrelle::fuzz;
    quiet_log();
    gl_context();
    const auto count = std::int32_t(size > INT32_MAX ? INT32_MAX : size);
    DecodedImage image;
    const bool decoded = decode_image(data, count, &image);
    require(!decoded || (image.width > 0 && image.height > 0 && (image.bits_per_pixel == 24 || image.bits_per_pixel == 32) &&
                         image.pixels.size() == std::size_t(image.width) * std::size_t(image.height) *
                                                    std::size_t(image.bits_per_pixel / 8)),
            "a decoded image is 8-bit RGB or RGBA, tightly packed and complete");
    const GLuint texture = mac_load_tex(data, count);
    require(glGetError() == GL_NO_ERROR, "decoding and upload raise no GL error");
    GLint alignment = 0, bound = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    require(alignment == 4, "the unpack alignment is left as found");
    require(GLuint(bound) == texture, "a new texture is left bound, a failure binds none");
    require(texture == 0 || decoded, "only a decodable image becomes a texture");
    glDeleteTextures(1, &texture);
    return 0;
}
