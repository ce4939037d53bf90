#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Points every proxy variable of the environment at proxyURL and empties the no-proxy lists, until
// destroyed. A request for another host then goes to that proxy (a LocalHttpServer counting its
// hits) instead of leaving this machine, so a test can prove that nothing was fetched from there.
// Make and destroy it while no request is running: the environment is shared by all threads.
class ScopedProxyEnvironment {
public:
    explicit ScopedProxyEnvironment(const std::string& proxyURL) {
        for (const char* name : {"http_proxy", "HTTPS_PROXY", "https_proxy", "ALL_PROXY", "all_proxy"})
            set(name, proxyURL);
        for (const char* name : {"no_proxy", "NO_PROXY"}) set(name, "");
    }
    ~ScopedProxyEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    ScopedProxyEnvironment(const ScopedProxyEnvironment&) = delete;
    ScopedProxyEnvironment& operator=(const ScopedProxyEnvironment&) = delete;

private:
    void set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name, value.c_str(), 1);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
