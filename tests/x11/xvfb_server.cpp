#include "x11/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "x11/child_process.h"

namespace lunabrelle::x11 {

bool XvfbServer::start(int width, int height, std::string* why) {
    const std::string program = find_program("Xvfb");
    if (program.empty()) {
        *why = "Xvfb is not installed";
        return false;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *why = "no pipe";
        return false;
    }
    // The child gets the write end without O_CLOEXEC under a known number.
    const int child_fd = 3;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], child_fd);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::ostringstream screen;
    screen << width << 'x' << height << "x24";
    std::vector<std::string> args = {program, "-displayfd", std::to_string(child_fd), "-screen", "0",
                                     screen.str(), "-nolisten", "tcp", "-noreset", "+extension", "GLX"};
    pid = spawn_process(args, {}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (pid <= 0) {
        close(fds[0]);
        *why = "cannot start Xvfb";
        return false;
    }
    // Xvfb writes the display number and a newline once it listens.
    std::string number;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 20000) <= 0) break;
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        *why = "Xvfb did not report a display";
        return false;
    }
    name = ":" + number;
    display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        *why = "cannot connect to Xvfb on " + name;
        return false;
    }
    return true;
}

XvfbServer::~XvfbServer() {
    if (display != nullptr) XCloseDisplay(display);
    if (pid > 0) stop_process(pid, 5000);
}

}  // namespace lunabrelle::x11
