/* libswap_count.so: counts the buffer swaps of any GLX or EGL program it is
 * preloaded into (LD_PRELOAD), so that frame rates of different programs are
 * counted the same way. After every swap the file named by $SWAP_COUNT_FILE
 * holds one line, "COUNT SECONDS": the swaps so far and the CLOCK_MONOTONIC
 * time of the latest, overwritten in place at a fixed width so that a reader
 * never sees a mix of two lines. Without $SWAP_COUNT_FILE swaps only pass
 * through. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

/* The GLX and EGL types, as the ABI has them: pointers and an XID. */
typedef void (*glx_swap_fn)(void* display, unsigned long drawable);
typedef unsigned int (*egl_swap_fn)(void* display, void* surface);

static int count_fd = -2; /* -2: not opened yet; -1: no file */
static unsigned long long swaps;

static void count_swap(void) {
    if (count_fd == -2) {
        const char* path = getenv("SWAP_COUNT_FILE");
        count_fd = path != NULL && path[0] != '\0' ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    }
    ++swaps;
    if (count_fd < 0) return;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[64];
    const int length = snprintf(line, sizeof line, "%20llu %20.9f\n", swaps,
                                (double)now.tv_sec + (double)now.tv_nsec * 1e-9);
    if (length <= 0 || (size_t)length >= sizeof line) return;
    /* A failed write only loses the count; the program goes on drawing. */
    const ssize_t written = pwrite(count_fd, line, (size_t)length, 0);
    (void)written;
}

void glXSwapBuffers(void* display, unsigned long drawable) {
    static glx_swap_fn next;
    if (next == NULL) next = (glx_swap_fn)dlsym(RTLD_NEXT, "glXSwapBuffers");
    count_swap();
    if (next != NULL) next(display, drawable);
}

unsigned int eglSwapBuffers(void* display, void* surface) {
    static egl_swap_fn next;
    if (next == NULL) next = (egl_swap_fn)dlsym(RTLD_NEXT, "eglSwapBuffers");
    count_swap();
    return next != NULL ? next(display, surface) : 0;
}
