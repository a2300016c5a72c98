#include "kit/image_codec.h"

#include <gtest/gtest.h>

#include <stb_image.h>

#include <cstdlib>

#include "kit/noise.h"
#include "kit/paint.h"

namespace {

using namespace kit;

Image sample_image() {
    Image image(37, 21);
    const ValueNoise n{3};
    paint(image, [&](double x, double y) {
        const float v = static_cast<float>(fbm(n, x / 8, y / 8, 3));
        return Rgba{v, 1.0f - v, static_cast<float>(x / 37), static_cast<float>(y / 21)};
    });
    return image;
}

struct Decoded {
    int width = 0, height = 0, channels = 0;
    std::vector<std::uint8_t> pixels;
};

Decoded decode(const std::vector<std::uint8_t>& bytes) {
    Decoded d;
    unsigned char* p = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &d.width, &d.height,
                                             &d.channels, 0);
    if (p) {
        d.pixels.assign(p, p + d.width * d.height * d.channels);
        stbi_image_free(p);
    }
    return d;
}

TEST(ImageCodec, PngKeepsEveryByteAndItsAlpha) {
    const Image image = sample_image();
    const Decoded d = decode(encode_png(image));
    EXPECT_EQ(d.width, 37);
    EXPECT_EQ(d.height, 21);
    EXPECT_EQ(d.channels, 4);
    EXPECT_EQ(d.pixels, image.pixels);
}

TEST(ImageCodec, RgbPngAndJpegDropAlpha) {
    const Image image = sample_image();
    const Decoded png = decode(encode_png_rgb(image));
    EXPECT_EQ(png.channels, 3);
    ASSERT_EQ(png.pixels.size(), 37u * 21 * 3);
    EXPECT_EQ(png.pixels[3 * 40 + 1], image.pixels[4 * 40 + 1]);

    const Decoded jpeg = decode(encode_jpeg(image, 95));
    EXPECT_EQ(jpeg.channels, 3);
    ASSERT_EQ(jpeg.pixels.size(), 37u * 21 * 3);
    int worst = 0;
    for (std::size_t i = 0; i < 37u * 21; ++i)
        for (int c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(int(jpeg.pixels[i * 3 + c]) - int(image.pixels[i * 4 + c])));
    EXPECT_LT(worst, 40);
}

TEST(ImageCodec, EncodingIsDeterministic) {
    EXPECT_EQ(encode_png(sample_image()), encode_png(sample_image()));
    EXPECT_EQ(encode_jpeg(sample_image(), 80), encode_jpeg(sample_image(), 80));
}

}  // namespace
