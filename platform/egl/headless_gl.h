// A headless OpenGL context: EGL on Mesa's surfaceless platform, a desktop-GL
// compatibility profile and an RGBA8 + depth24 pbuffer as the drawing surface.
// Used by the tests and by the headless renderer; needs no display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lunabrelle {

class HeadlessGl {
public:
    HeadlessGl() = default;
    ~HeadlessGl();
    HeadlessGl(const HeadlessGl&) = delete;
    HeadlessGl& operator=(const HeadlessGl&) = delete;

    // Creates the context with a width x height pbuffer (both at least 1) and
    // makes it current. On failure returns false and leaves a message in error.
    bool create(int width, int height, std::string* error);

    // Replaces the pbuffer with one of the new size (at least 1 x 1) and makes
    // the context current on it again. The context and its objects survive.
    bool resize(int width, int height, std::string* error);

    bool make_current();
    bool valid() const { return context_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Reads the whole surface as RGBA rows, top row first (GL's bottom-up rows
    // flipped), width * height * 4 bytes.
    std::vector<std::uint8_t> read_rgba() const;

private:
    bool make_surface(int width, int height, std::string* error);
    void destroy();

    void* display_ = nullptr;
    void* config_ = nullptr;
    void* context_ = nullptr;
    void* surface_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace lunabrelle
