#include "platform/render/DesktopLinkOpener.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "platform/foundation/NSTimer.hpp"

extern char** environ;

namespace render {

namespace {

// Often enough that no finished opener lingers as a zombie for long, rarely enough to cost
// nothing.
constexpr double reapInterval = 0.5;

void reapWhenDone(pid_t child, const std::string& url)
{
    NSTimer::scheduledTimerWithTimeInterval(reapInterval, true, [child, url](const std::shared_ptr<NSTimer>& timer) {
        int status = 0;
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == 0) {
            return; // still running
        }
        timer->invalidate();
        if (done == child && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
            std::cerr << "radixel: xdg-open could not open " << url << std::endl;
        }
    });
}

} // namespace

std::vector<std::string> DesktopLinkOpener::commandFor(const URL& url)
{
    return {"xdg-open", url.absoluteString()};
}

bool DesktopLinkOpener::canOpen(const URL& url) const
{
    return url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto";
}

bool DesktopLinkOpener::open(const URL& url)
{
    if (!canOpen(url)) {
        return false;
    }
    std::vector<std::string> command = commandFor(url);
    std::vector<char*> argv;
    for (auto& argument : command) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    int error = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        std::cerr << "radixel: could not open " << url.absoluteString() << ": cannot start " << command.front() << " ("
                  << std::strerror(error) << ")" << std::endl;
        return false;
    }
    reapWhenDone(child, url.absoluteString());
    return true;
}

} // namespace render
