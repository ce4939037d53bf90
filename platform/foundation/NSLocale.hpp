#pragma once

#include <string>
#include <vector>

// The user's language preferences, read the way a desktop program reads them: the POSIX locale
// environment (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG).
class NSLocale {
public:
    // Language codes in order of preference ("de", "pt", "zh", ...); empty when the environment
    // names none or only the C/POSIX locale.
    static std::vector<std::string> preferredLanguages();

    // The language code of one locale name: "de_DE.UTF-8@euro" -> "de"; "" for C and POSIX.
    static std::string languageCodeOfLocaleName(const std::string& name);
};
