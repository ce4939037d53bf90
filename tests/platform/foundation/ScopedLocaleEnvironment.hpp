#pragma once

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

// Sets the locale variables for one test and puts the previous values back afterwards, so
// tests neither see the caller's language nor leak their own into later tests. Every locale
// variable not named in `values` is unset for the lifetime of this object.
class ScopedLocaleEnvironment {
public:
    ScopedLocaleEnvironment(std::initializer_list<std::pair<const std::string, std::string>> values)
        : ScopedLocaleEnvironment(std::map<std::string, std::string>(values)) {}

    explicit ScopedLocaleEnvironment(const std::map<std::string, std::string>& values) {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
            auto it = values.find(name);
            it != values.end() ? ::setenv(name, it->second.c_str(), 1) : ::unsetenv(name);
        }
    }
    ~ScopedLocaleEnvironment() {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    ScopedLocaleEnvironment(const ScopedLocaleEnvironment&) = delete;
    ScopedLocaleEnvironment& operator=(const ScopedLocaleEnvironment&) = delete;

private:
    std::map<std::string, std::optional<std::string>> saved_;
};
