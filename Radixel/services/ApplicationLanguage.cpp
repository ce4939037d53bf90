#include "Radixel/services/ApplicationLanguage.hpp"

#include "platform/foundation/NSLocale.hpp"

std::string applicationLanguage(const std::optional<std::string>& languageCode) {
    if (languageCode) {
        for (std::string_view supported : supportedLanguageCodes)
            if (*languageCode == supported) return std::string(supported);
    }
    return "en";
}

std::string currentLanguageCode() {
    std::vector<std::string> preferred = NSLocale::preferredLanguages();
    return applicationLanguage(preferred.empty() ? std::nullopt : std::optional<std::string>(preferred.front()));
}
