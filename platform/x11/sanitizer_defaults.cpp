// Sanitizer defaults of the saver program (linked only into sanitizer
// builds). Xlib, GLX and Mesa's drivers keep allocations for the life of the
// process or of the display connection; the leak report leaves them out.
//
// Closing the display unloads Mesa's driver before the leak report, which
// then cannot name it; slow unwinding at malloc time (which would record the
// driver's callers) deadlocks in the unwinder when llvmpipe registers the
// frames of its compiled shaders. So in these builds no library is unloaded:
// this dlclose takes the place of the C library's.
extern "C" int dlclose(void*) { return 0; }

extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libGLX\n"
           "leak:libGLdispatch\n"
           "leak:libGLX_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libglapi\n";
}
