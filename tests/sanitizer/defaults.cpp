// Sanitizer defaults linked into every test program. Mesa's drivers and
// fontconfig (under GTK) keep a few allocations for the life of the process;
// the headless context keeps the driver loaded until exit so that the
// suppressions can name its frames. Unwinding on malloc stays fast: full
// unwinding deadlocks in libgcc's unwinder when llvmpipe registers the frames
// of freshly compiled code.
extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libglapi\n"
           "leak:libGLX_mesa\n"
           "leak:libfontconfig\n";
}
