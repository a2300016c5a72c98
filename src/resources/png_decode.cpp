#include "resources/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Source {
    const unsigned char* bytes;
    std::size_t count;
    std::size_t at;
};

void read_bytes(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (length > source->count - source->at) png_error(png, "truncated");
    std::memcpy(out, source->bytes + source->at, length);
    source->at += length;
}

// Errors end the read through png_longjmp; nothing is printed.
void on_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void on_warning(png_structp, png_const_charp) {}

// Reads the rows into *pixels. Only plain data lives in this frame, so the
// long jump of an error skips no destructor.
bool read_rows(png_structp png, png_infop info, Source* source, std::vector<std::uint8_t>* pixels,
               int* width, int* height, int* channels) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, source, read_bytes);
    // The general decoder does not check the stream's Adler-32 sum either;
    // skipping it saves a pass over the pixels.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    const int colour = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) != 8 ||
        (colour != PNG_COLOR_TYPE_RGB && colour != PNG_COLOR_TYPE_RGB_ALPHA) ||
        png_get_interlace_type(png, info) != PNG_INTERLACE_NONE ||
        png_get_valid(png, info, PNG_INFO_tRNS) != 0)
        return false;
    const std::size_t c = colour == PNG_COLOR_TYPE_RGB ? 3 : 4;
    const std::size_t row = std::size_t(w) * c;
    // Images beyond the limits go on to the general decoder, which refuses them.
    if (!image_size_plausible(w, h, std::int32_t(source->count))) return false;
    // Reserved up front: the pixel limit above bounds it (256 MiB at most), and
    // one block spares the copies of growing row by row.
    pixels->reserve(row * h);
    for (png_uint_32 y = 0; y < h; ++y) {
        pixels->resize(pixels->size() + row);
        png_read_row(png, pixels->data() + pixels->size() - row, nullptr);
    }
    png_read_end(png, nullptr);
    *width = int(w);
    *height = int(h);
    *channels = int(c);
    return true;
}

}  // namespace

bool decode_plain_png(const unsigned char* bytes, std::int32_t count, DecodedImage* out) {
    if (bytes == nullptr || count < 8 || png_sig_cmp(bytes, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    Source source{bytes, std::size_t(count), 0};
    std::vector<std::uint8_t> pixels;
    int width = 0, height = 0, channels = 0;
    const bool read = read_rows(png, info, &source, &pixels, &width, &height, &channels);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!read) return false;
    out->width = width;
    out->height = height;
    out->bits_per_pixel = channels * 8;
    out->pixels = std::move(pixels);
    return true;
}
