#include "resources/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace {

struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// Errors end the read through the jump; nothing is printed.
void on_error(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1); }

// A warning means damaged data the decoder would paper over with grey; the
// general decoder is given the file instead, so damage looks the same either
// way. Trace messages (level > 0) are ignored.
void on_message(j_common_ptr info, int level) {
    if (level < 0) on_error(info);
}

// Reads the scanlines into *pixels. Only plain data lives in this frame, so
// the long jump of an error skips no destructor.
bool read_lines(jpeg_decompress_struct* info, ErrorJump* error, const unsigned char* bytes,
                std::int32_t count, std::vector<std::uint8_t>* pixels) {
    if (setjmp(error->jump)) return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, bytes, static_cast<unsigned long>(count));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    if (info->num_components != 3 || info->data_precision != 8) return false;
    if (!image_size_plausible(info->image_width, info->image_height, count)) return false;
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    if (info->output_components != 3) return false;
    const std::size_t row = std::size_t(info->output_width) * 3;
    // Sized once: the plausibility check above bounds it.
    pixels->resize(row * info->output_height);
    while (info->output_scanline < info->output_height) {
        JSAMPROW line = pixels->data() + row * info->output_scanline;
        jpeg_read_scanlines(info, &line, 1);
    }
    jpeg_finish_decompress(info);
    return true;
}

}  // namespace

bool decode_colour_jpeg(const unsigned char* bytes, std::int32_t count, DecodedImage* out) {
    if (bytes == nullptr || count < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
    jpeg_decompress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = on_error;
    error.manager.emit_message = on_message;
    std::vector<std::uint8_t> pixels;
    const bool read = read_lines(&info, &error, bytes, count, &pixels);
    jpeg_destroy_decompress(&info);
    if (!read) return false;
    out->width = int(info.output_width);
    out->height = int(info.output_height);
    out->bits_per_pixel = 24;
    out->pixels = std::move(pixels);
    return true;
}
