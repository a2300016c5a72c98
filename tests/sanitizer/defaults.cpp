// Sanitizer defaults linked into every test program. Mesa's drivers and
// fontconfig (under GTK) keep a few allocations for the life of the process;
// full unwinding on malloc lets the leak suppressions see the driver frames
// (the driver may be unloaded before the leak report, leaving fast-unwound
// stacks without module names).
extern "C" const char* __asan_default_options() { return "detect_leaks=1:fast_unwind_on_malloc=0"; }

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libglapi\n"
           "leak:libGLX_mesa\n"
           "leak:libfontconfig\n";
}
