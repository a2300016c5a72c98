// bare_egl: the baseline of the headless renderer's memory. It makes the same
// kind of context as lunabrelle-render (EGL, surfaceless Mesa, a WxH RGBA8 +
// depth24 pbuffer) and only clears it, finishing every frame; peak resident
// memory above this program's is what the saver itself holds.
//
//   bare_egl [WxH (default 1920x1080)] [FRAMES (default 300)]
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/egl/headless_gl.h"

int main(int argc, char** argv) {
    int width = 1920, height = 1080;
    long frames = 300;
    if ((argc > 1 && std::sscanf(argv[1], "%dx%d", &width, &height) != 2) ||
        (argc > 2 && (frames = std::strtol(argv[2], nullptr, 10)) <= 0) || width <= 0 || height <= 0) {
        std::fprintf(stderr, "usage: bare_egl [WxH] [FRAMES]\n");
        return 2;
    }
    lunabrelle::HeadlessGl gl;
    std::string error;
    if (!gl.create(width, height, &error)) {
        std::fprintf(stderr, "bare_egl: %s\n", error.c_str());
        return 1;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    for (long k = 0; k < frames; ++k) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
    }
    return 0;
}
