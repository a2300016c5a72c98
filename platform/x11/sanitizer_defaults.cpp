// Sanitizer defaults of the saver program (linked only into sanitizer
// builds). Xlib, GLX and Mesa's drivers keep allocations for the life of the
// process or of the display connection; the leak report leaves them out.
extern "C" const char* __asan_default_options() { return "detect_leaks=1:fast_unwind_on_malloc=0"; }

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
