// Starting, waiting for and stopping the programs an end-to-end test runs.
#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace lunabrelle::x11 {

// The full path of program found on $PATH, empty when it is not there.
std::string find_program(const std::string& program);

// Starts args[0] (a path) with args, the test's environment changed by env
// (NAME=VALUE replaces NAME; NAME= alone removes it). Returns the pid, or -1.
pid_t spawn_process(const std::vector<std::string>& args, const std::vector<std::string>& env,
                    const posix_spawn_file_actions_t* actions = nullptr);

// Waits up to timeout_ms for the child to end. True with its wait status in
// *status when it did.
bool wait_process(pid_t pid, int timeout_ms, int* status);

// SIGTERM, then SIGKILL if it has not ended after timeout_ms; reaps it.
void stop_process(pid_t pid, int timeout_ms);

// The program's output: starts it with stdout and stderr into a file, waits
// up to timeout_ms. Returns {wait status, output}; status -1 if it hung.
std::pair<int, std::string> run_capture(const std::vector<std::string>& args, const std::vector<std::string>& env,
                                        int timeout_ms);

}  // namespace lunabrelle::x11
