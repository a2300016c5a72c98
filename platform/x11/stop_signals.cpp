#include "platform/x11/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace lunabrelle::x11 {
namespace {

volatile std::sig_atomic_t caught = 0;
int write_end = -1;

// A host blocked on a stopped or hung X server never gets back to its loop:
// past this grace period after the first stop signal, the process ends
// anyway (status 0, as for a stop), without waiting on the server.
constexpr unsigned kGraceSeconds = 2;

void on_grace_over(int) { _exit(0); }

void on_stop_signal(int signal) {
    const int saved = errno;
    if (caught == 0) alarm(kGraceSeconds);
    caught = signal;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing more is needed.
    [[maybe_unused]] const ssize_t n = write(write_end, &byte, 1);
    errno = saved;
}

}  // namespace

int install_stop_signals() {
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return -1;
    write_end = fds[1];
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
    struct sigaction grace {};
    grace.sa_handler = on_grace_over;
    sigemptyset(&grace.sa_mask);
    sigaction(SIGALRM, &grace, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return fds[0];
}

int caught_stop_signal() { return caught; }

void drain_stop_pipe(int fd) {
    char buffer[64];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
}

}  // namespace lunabrelle::x11
