#include "platform/foundation/NSLocale.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string NSLocale::languageCodeOfLocaleName(const std::string& name) {
    auto end = name.find_first_of("_-.@");
    std::string code = name.substr(0, end);
    std::transform(code.begin(), code.end(), code.begin(), [](unsigned char c) { return std::tolower(c); });
    if (code == "c" || code == "posix") return {};
    bool letters = !code.empty() && std::all_of(code.begin(), code.end(), [](unsigned char c) { return std::isalpha(c); });
    return letters ? code : std::string();
}

std::vector<std::string> NSLocale::preferredLanguages() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.empty()) break;
    }
    std::vector<std::string> languages;
    auto add = [&](const std::string& name) {
        std::string code = languageCodeOfLocaleName(name);
        if (!code.empty() && std::find(languages.begin(), languages.end(), code) == languages.end())
            languages.push_back(code);
    };
    // As with gettext, LANGUAGE only counts when a real locale is selected.
    if (!languageCodeOfLocaleName(locale).empty()) {
        std::stringstream list(environment("LANGUAGE"));
        for (std::string item; std::getline(list, item, ':');) add(item);
    }
    add(locale);
    return languages;
}
