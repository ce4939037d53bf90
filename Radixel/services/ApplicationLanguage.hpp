#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The languages the application is translated into, in the order they are checked.
inline constexpr std::array<std::string_view, 11> supportedLanguageCodes = {"de", "zh", "ja", "en", "es", "ko",
                                                                            "pt", "ru", "fr", "id", "hi"};

// The supported language named by languageCode, else "en".
std::string applicationLanguage(const std::optional<std::string>& languageCode);

// The application language of the running process: the current locale's language when the
// application speaks it, else "en".
std::string currentLanguageCode();
