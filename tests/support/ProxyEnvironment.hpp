#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <strings.h>
#include <utility>
#include <vector>

// Points every proxy variable of the environment at proxyURL and empties the no-proxy lists, until
// destroyed. A request for another host then goes to that proxy (a LocalHttpServer counting its
// hits) instead of leaving this machine, so a test can prove that nothing was fetched from there.
// Make and destroy it while no request is running: the environment is shared by all threads.
class ScopedProxyEnvironment {
public:
    explicit ScopedProxyEnvironment(const std::string& proxyURL) {
        for (const char* name :
             {"http_proxy", "HTTPS_PROXY", "https_proxy", "ALL_PROXY", "all_proxy", "no_proxy", "NO_PROXY"}) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            ::setenv(name, ::strcasecmp(name, "no_proxy") == 0 ? "" : proxyURL.c_str(), 1);
        }
    }
    ~ScopedProxyEnvironment() {
        for (const auto& [name, value] : saved_) value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ScopedProxyEnvironment(const ScopedProxyEnvironment&) = delete;
    ScopedProxyEnvironment& operator=(const ScopedProxyEnvironment&) = delete;

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};
