// The swap counter is loaded here with dlopen rather than LD_PRELOAD; its
// eglSwapBuffers is called directly on a real headless context.
#include <gtest/gtest.h>

#include <EGL/egl.h>
#include <dlfcn.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/egl/headless_gl.h"

namespace {

struct CountLine {
    unsigned long long swaps = 0;
    double seconds = 0.0;
    std::string text;
};

CountLine read_count(const std::string& path) {
    std::ifstream in(path);
    CountLine line;
    std::getline(in, line.text);
    std::istringstream(line.text) >> line.swaps >> line.seconds;
    return line;
}

TEST(SwapCount, EverySwapRewritesOneFixedWidthLine) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("swap-count-test-" + std::to_string(getpid()))).string();
    setenv("SWAP_COUNT_FILE", path.c_str(), 1);
    void* library = dlopen(SWAP_COUNT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Swap = EGLBoolean (*)(EGLDisplay, EGLSurface);
    auto swap = reinterpret_cast<Swap>(dlsym(library, "eglSwapBuffers"));
    ASSERT_NE(swap, nullptr);

    lunabrelle::HeadlessGl gl;
    ASSERT_TRUE(gl.create(8, 8, nullptr));
    swap(eglGetCurrentDisplay(), eglGetCurrentSurface(EGL_DRAW));
    const CountLine first = read_count(path);
    for (int k = 0; k < 9; ++k) swap(eglGetCurrentDisplay(), eglGetCurrentSurface(EGL_DRAW));
    const CountLine tenth = read_count(path);

    EXPECT_EQ(first.swaps, 1u);
    EXPECT_EQ(tenth.swaps, 10u);
    EXPECT_GE(tenth.seconds, first.seconds);
    EXPECT_GT(first.seconds, 0.0);
    EXPECT_EQ(tenth.text.size(), first.text.size()) << "a shorter line would leave a tail behind";
    EXPECT_EQ(std::filesystem::file_size(path), first.text.size() + 1);

    unsetenv("SWAP_COUNT_FILE");
    dlclose(library);
    std::filesystem::remove(path);
}

}  // namespace
