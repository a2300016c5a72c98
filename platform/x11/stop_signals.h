// SIGTERM, SIGINT and SIGHUP turned into a readable file descriptor (a
// self-pipe), so that the host's poll() wakes when one arrives. SIGPIPE is
// ignored: a broken X connection then reaches Xlib's I/O error handler. A
// process that has not ended 2 s after the first stop signal (blocked on a
// stopped X server) ends with status 0 from SIGALRM.
#pragma once

namespace lunabrelle::x11 {

// Installs the handlers. Returns the read end of the pipe, or -1 on failure.
// Call once, before the loop starts.
int install_stop_signals();

// The last stop signal caught, 0 for none.
int caught_stop_signal();

// Empties the pipe (it is non-blocking).
void drain_stop_pipe(int fd);

}  // namespace lunabrelle::x11
