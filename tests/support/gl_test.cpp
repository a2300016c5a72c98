#include "support/gl_test.h"

#include <string>

namespace lunabrelle::test {

void GlTest::SetUp() {
    std::string error;
    ASSERT_TRUE(gl_.create(kWidth, kHeight, &error)) << error;
}

std::vector<std::uint8_t> GlTest::pixel(int x, int y) const {
    std::vector<std::uint8_t> rgba(4);
    glReadPixels(x, gl_.height() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

bool GlTest::is_texture(unsigned name) { return glIsTexture(name) == GL_TRUE; }

}  // namespace lunabrelle::test
