#include "platform/egl/headless_gl.h"

#include <dlfcn.h>
#include <link.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace lunabrelle {
namespace {

EGLDisplay surfaceless_display() {
    auto get_platform_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_platform_display == nullptr) return EGL_NO_DISPLAY;
    return get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

std::string egl_error(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

int collect_driver(dl_phdr_info* info, size_t, void* names) {
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr)
        static_cast<std::vector<std::string>*>(names)->push_back(info->dlpi_name);
    return 0;
}

// Keeps the Mesa driver that eglInitialize loaded mapped until the process
// ends, instead of unloading and reloading it with every display. The driver
// keeps a few allocations for the life of the process; with the driver still
// mapped at exit they stay reachable and name their module.
void keep_driver_loaded() {
    std::vector<std::string> names;
    dl_iterate_phdr(collect_driver, &names);
    for (const std::string& name : names) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace

HeadlessGl::~HeadlessGl() { destroy(); }

void HeadlessGl::destroy() {
    if (display_ == nullptr) return;
    EGLDisplay dpy = display_;
    eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (surface_ != nullptr) eglDestroySurface(dpy, surface_);
    if (context_ != nullptr) eglDestroyContext(dpy, context_);
    eglTerminate(dpy);
    eglReleaseThread();
    display_ = config_ = context_ = surface_ = nullptr;
}

bool HeadlessGl::create(int width, int height, std::string* error) {
    destroy();
    std::string ignored;
    if (error == nullptr) error = &ignored;
    if (width < 1 || height < 1) {
        *error = "headless GL surface must be at least 1x1";
        return false;
    }
    EGLDisplay dpy = surfaceless_display();
    if (dpy == EGL_NO_DISPLAY) {
        *error = "no EGL surfaceless platform (is libegl-mesa0 installed?)";
        return false;
    }
    display_ = dpy;
    if (!eglInitialize(dpy, nullptr, nullptr)) {
        *error = egl_error("eglInitialize");
        destroy();
        return false;
    }
    keep_driver_loaded();
    const EGLint config_attribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                     EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                     EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(dpy, config_attribs, &config, 1, &count) || count < 1) {
        *error = "no RGBA8 + depth24 pbuffer config for desktop OpenGL";
        destroy();
        return false;
    }
    config_ = config;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        *error = egl_error("eglBindAPI(EGL_OPENGL_API)");
        destroy();
        return false;
    }
    const EGLint context_attribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    context_ = eglCreateContext(dpy, config, EGL_NO_CONTEXT, context_attribs);
    if (context_ == EGL_NO_CONTEXT) {
        context_ = nullptr;
        *error = egl_error("eglCreateContext");
        destroy();
        return false;
    }
    if (!make_surface(width, height, error)) {
        destroy();
        return false;
    }
    return true;
}

bool HeadlessGl::make_surface(int width, int height, std::string* error) {
    EGLDisplay dpy = display_;
    const EGLint surface_attribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(dpy, config_, surface_attribs);
    if (surface == EGL_NO_SURFACE) {
        *error = egl_error("eglCreatePbufferSurface");
        return false;
    }
    if (!eglMakeCurrent(dpy, surface, surface, context_)) {
        *error = egl_error("eglMakeCurrent");
        eglDestroySurface(dpy, surface);
        return false;
    }
    if (surface_ != nullptr) eglDestroySurface(dpy, surface_);
    surface_ = surface;
    width_ = width;
    height_ = height;
    return true;
}

bool HeadlessGl::resize(int width, int height, std::string* error) {
    std::string ignored;
    if (error == nullptr) error = &ignored;
    if (!valid()) {
        *error = "no headless GL context";
        return false;
    }
    if (width < 1 || height < 1) {
        *error = "headless GL surface must be at least 1x1";
        return false;
    }
    return make_surface(width, height, error);
}

bool HeadlessGl::make_current() {
    return valid() && eglMakeCurrent(display_, surface_, surface_, context_);
}

std::vector<std::uint8_t> HeadlessGl::read_rgba() const {
    const std::size_t row = static_cast<std::size_t>(width_) * 4;
    std::vector<std::uint8_t> bottom_up(row * static_cast<std::size_t>(height_));
    if (bottom_up.empty()) return bottom_up;
    GLint pack_alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &pack_alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    glPixelStorei(GL_PACK_ALIGNMENT, pack_alignment);
    std::vector<std::uint8_t> top_down(bottom_up.size());
    for (int y = 0; y < height_; ++y)
        std::memcpy(&top_down[row * y], &bottom_up[row * (height_ - 1 - y)], row);
    return top_down;
}

}  // namespace lunabrelle
