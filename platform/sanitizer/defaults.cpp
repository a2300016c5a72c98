// Sanitizer defaults linked into every program of the project (tests, hosts,
// tools, fuzz targets; harmless in builds without sanitizers). Xlib, GLX,
// EGL, Mesa's drivers and fontconfig (under GTK) keep allocations for the
// life of the process or of the display connection; the leak report leaves
// them out. Those libraries stay loaded until exit (the headless context
// opens the driver with RTLD_NODELETE, the windowed host unloads nothing), so
// the suppressions can name their frames. Unwinding on malloc stays fast:
// full unwinding deadlocks in libgcc's unwinder when llvmpipe registers the
// frames of freshly compiled code. The runtime's own bookkeeping of dynamic
// TLS blocks (__tls_get_addr) can hold a stale block once Mesa's threads have
// come and gone, and the leak check then crashes reading it; it is not
// intercepted, so the leak check scans static TLS and the heap only.
extern "C" const char* __asan_default_options() { return "detect_leaks=1:intercept_tls_get_addr=0"; }

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libGLX\n"
           "leak:libGLdispatch\n"
           "leak:libGLX_mesa\n"
           "leak:libEGL_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libglapi\n"
           "leak:libfontconfig\n";
}
