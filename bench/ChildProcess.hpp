#pragma once

// Starts a program as its own process (no shell), with variables added to this process's
// environment and its output discarded, and waits for it: how long it ran and its peak resident
// memory, as the kernel accounts them for the child alone.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

struct ChildProcess {
    pid_t pid = -1;
    std::chrono::steady_clock::time_point started;

    static std::optional<ChildProcess> start(const std::vector<std::string>& arguments,
                                             const std::map<std::string, std::string>& variables = {}) {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry; ++entry) {
            std::string text = *entry;
            if (!variables.count(text.substr(0, text.find('=')))) environment.push_back(text);
        }
        for (const auto& [name, value] : variables) environment.push_back(name + "=" + value);
        std::vector<char*> argv, envp;
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        for (const auto& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
        argv.push_back(nullptr);
        envp.push_back(nullptr);

        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        ChildProcess child;
        child.started = std::chrono::steady_clock::now();
        int failed = posix_spawn(&child.pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&quiet);
        if (failed) return std::nullopt;
        return child;
    }

    struct Exit {
        bool clean = false;  // exited with status 0
        double seconds = 0;
        long peakResidentKiB = 0;
    };
    Exit wait() const {
        int status = 0;
        rusage usage{};
        Exit exit;
        if (::wait4(pid, &status, 0, &usage) != pid) return exit;
        exit.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        exit.clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        exit.peakResidentKiB = usage.ru_maxrss;
        return exit;
    }
};

inline bool haveDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

}  // namespace bench
