#include "support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

extern char** environ;

namespace lunabrelle::test {

std::string build_dir() {
    const char* dir = std::getenv("LUNABRELLE_BUILD_DIR");
    return dir != nullptr ? dir : ".";
}

std::string read_text(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

pid_t spawn_process(const std::vector<std::string>& args, const std::vector<std::string>& env,
                    const posix_spawn_file_actions_t* actions) {
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) environment.emplace_back(*e);
    for (const std::string& change : env) {
        const std::string key = change.substr(0, change.find('=') + 1);
        std::erase_if(environment, [&](const std::string& e) { return e.compare(0, key.size(), key) == 0; });
        if (change.size() > key.size()) environment.push_back(change);
    }
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, args[0].c_str(), actions, nullptr, argv.data(), envp.data()) == 0 ? pid : -1;
}

bool eventually(int timeout_ms, const std::function<bool()>& condition) {
    for (int waited = 0;; waited += 50) {
        if (condition()) return true;
        if (waited >= timeout_ms) return false;
        usleep(50000);
    }
}

bool wait_process(pid_t pid, int timeout_ms, int* status) {
    pid_t done = 0;  // a child already reaped (or none) ends the wait at once
    eventually(timeout_ms, [&] { return (done = waitpid(pid, status, WNOHANG)) != 0; });
    return done == pid;
}

void stop_process(pid_t pid, int timeout_ms) {
    int status = 0;
    kill(pid, SIGTERM);
    if (wait_process(pid, timeout_ms, &status)) return;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

std::pair<int, std::string> run_capture(const std::vector<std::string>& args, const std::vector<std::string>& env,
                                        int timeout_ms) {
    TempFolder folder;
    const std::string out = folder.file("output");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const pid_t pid = spawn_process(args, env, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (pid <= 0) return {-1, "cannot start " + args[0]};
    int status = -1;
    if (!wait_process(pid, timeout_ms, &status)) {
        stop_process(pid, 1000);
        return {-1, "hung"};
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), read_text(out)};
}

}  // namespace lunabrelle::test
