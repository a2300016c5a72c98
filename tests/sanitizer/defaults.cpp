// Sanitizer defaults linked into every test program. Mesa's drivers keep a few
// allocations for the life of the process; the leak suppressions name their
// modules.
//
// Allocation stacks are unwound the fast way: the slow unwinder deadlocks in
// libgcc when llvmpipe registers the frames of freshly compiled shaders (the
// unwinder's lock is held while it allocates, and the allocation unwinds
// again). Fast unwinding only sees the driver's first frame, so the driver is
// kept loaded for the whole run: otherwise each test's context unloads it and
// the leak report could no longer name the module.
#include <dlfcn.h>

#include <initializer_list>

extern "C" const char* __asan_default_options() { return "detect_leaks=1:fast_unwind_on_malloc=1"; }

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libglapi\n"
           "leak:libGLX_mesa\n";
}

namespace {

const bool driver_pinned = [] {
    for (const char* path :
         {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
          "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"})
        if (dlopen(path, RTLD_NOW | RTLD_NODELETE) != nullptr) return true;
    return false;
}();

}  // namespace
