#include "Radixel/services/ApplicationLanguage.hpp"

#include "platform/foundation/NSBundle.hpp"

std::string applicationLanguage(const std::optional<std::string>& languageCode) {
    if (languageCode) {
        for (std::string_view supported : supportedLanguageCodes)
            if (*languageCode == supported) return std::string(supported);
    }
    return "en";
}

std::string applicationLanguage(const NSBundle& bundle) { return applicationLanguage(bundle.preferredLocalization()); }

std::string currentLanguageCode() { return applicationLanguage(NSBundle::mainBundle()); }
