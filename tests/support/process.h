// Child processes for the tests that run the built programs: started with a
// changed environment, waited for within a bound, their output captured.
#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lunabrelle::test {

std::string build_dir();  // $LUNABRELLE_BUILD_DIR, else "."
std::string read_text(const std::string& path);  // the whole file; empty when it cannot be read

// Starts args[0] (a path, or a name looked up on $PATH) with args, the test's
// environment changed by env (NAME=VALUE replaces NAME; NAME= alone removes
// it). Returns the pid, or -1.
pid_t spawn_process(const std::vector<std::string>& args, const std::vector<std::string>& env,
                    const posix_spawn_file_actions_t* actions = nullptr);
// Checks condition every 50 ms for up to timeout_ms; true once it holds.
bool eventually(int timeout_ms, const std::function<bool()>& condition);
// Waits up to timeout_ms for the child; true with its wait status when it ended.
bool wait_process(pid_t pid, int timeout_ms, int* status);
// SIGTERM, then SIGKILL if it has not ended after timeout_ms; reaps it.
void stop_process(pid_t pid, int timeout_ms);
// Runs the program with stdout and stderr into one text, for up to
// timeout_ms. Returns {exit status (128 + signal; -1 if it hung), output}.
std::pair<int, std::string> run_capture(const std::vector<std::string>& args, const std::vector<std::string>& env,
                                        int timeout_ms);

}  // namespace lunabrelle::test
