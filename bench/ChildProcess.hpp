#pragma once

// Starts a program as its own process (no shell), with variables added to this process's
// environment and its output discarded or piped back, and waits for it: when it first wrote to
// its output, how long it ran and its peak resident memory, as the kernel accounts them for the
// child alone.

#include <errno.h>
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
    int output = -1;  // the read end of the child's standard output, when piped

    static std::optional<ChildProcess> start(const std::vector<std::string>& arguments,
                                             const std::map<std::string, std::string>& variables = {},
                                             bool pipeOutput = false) {
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

        int pipeEnds[2] = {-1, -1};
        if (pipeOutput && ::pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        if (pipeOutput)
            posix_spawn_file_actions_adddup2(&quiet, pipeEnds[1], STDOUT_FILENO);
        else
            posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        ChildProcess child;
        child.started = std::chrono::steady_clock::now();
        int failed = posix_spawn(&child.pid, argv[0], &quiet, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&quiet);
        if (pipeOutput) ::close(pipeEnds[1]);
        if (failed) {
            if (pipeOutput) ::close(pipeEnds[0]);
            return std::nullopt;
        }
        child.output = pipeEnds[0];
        return child;
    }

    // Seconds from the start until the child wrote this line to its piped output, or none when it
    // ended without writing it.
    std::optional<double> secondsUntilLine(const std::string& line) const {
        std::string pending;
        char chunk[4096];
        for (;;) {
            ssize_t got = ::read(output, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return std::nullopt;
            pending.append(chunk, static_cast<size_t>(got));
            for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
                if (pending.compare(0, end, line) == 0 && end == line.size())
                    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        }
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
        if (output >= 0) {
            // Read to the end, so a child still writing is never stopped by a closed pipe.
            char chunk[4096];
            for (ssize_t got = 1; got > 0 || (got < 0 && errno == EINTR);) got = ::read(output, chunk, sizeof chunk);
            ::close(output);
        }
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
