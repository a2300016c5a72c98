// Sanitizer defaults of lunabrelle-settings (linked only into sanitizer
// builds). Xlib, GLX, Mesa's drivers and fontconfig keep allocations for the
// life of the process or of the display connection; the leak report leaves
// them out. Unwinding on malloc stays fast: the slow unwinder deadlocks with
// llvmpipe registering the unwind tables of the code it compiles.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libGLX\n"
           "leak:libGLdispatch\n"
           "leak:libGLX_mesa\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libglapi\n"
           "leak:libfontconfig\n";
}
