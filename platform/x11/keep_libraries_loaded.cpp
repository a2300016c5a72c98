// Linked only into sanitizer builds of the windowed programs. Closing the
// display unloads Mesa's driver before the leak report, which then cannot
// name its frames; slow unwinding at malloc time (which would record the
// driver's callers) deadlocks in the unwinder when llvmpipe registers the
// frames of its compiled shaders. So no library is unloaded: this dlclose
// takes the place of the C library's.
extern "C" int dlclose(void*) { return 0; }
