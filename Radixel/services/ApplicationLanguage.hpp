#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

class NSBundle;

// The languages the application is translated into, in the order they are checked.
inline constexpr std::array<std::string_view, 11> supportedLanguageCodes = {"de", "zh", "ja", "en", "es", "ko",
                                                                            "pt", "ru", "fr", "id", "hi"};

// The supported language named by languageCode, else "en".
std::string applicationLanguage(const std::optional<std::string>& languageCode);

// The supported language the bundle's texts are shown in: the first preferred language that has
// texts, so a preferred language without a translation (Italian before German) is passed over.
std::string applicationLanguage(const NSBundle& bundle);

// The application language of the running process: that of the main bundle's texts. Videos and
// ad pictures chosen by it are therefore in the language the user reads on screen, and, like the
// texts, it keeps the language chosen at the first lookup for the rest of the process.
std::string currentLanguageCode();
