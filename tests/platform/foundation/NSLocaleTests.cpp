#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/foundation/NSLocale.hpp"
#include "ScopedLocaleEnvironment.hpp"

using Languages = std::vector<std::string>;

TEST(NSLocale, LanguageCodeOfLocaleName) {
    const std::map<std::string, std::string> cases = {
        {"de_DE.UTF-8@euro", "de"}, {"pt-BR", "pt"}, {"zh_CN.GB18030", "zh"}, {"EN_us", "en"}, {"sr@latin", "sr"},
        {"hi", "hi"},           {"C", ""},       {"POSIX", ""},          {"C.UTF-8", ""},  {"", ""},
        {"12_34", ""},          {"_DE", ""},
    };
    for (const auto& [name, code] : cases) EXPECT_EQ(NSLocale::languageCodeOfLocaleName(name), code) << name;
}

TEST(NSLocale, PreferredLanguagesFollowTheLocaleVariablesInOrder) {
    struct Case {
        std::map<std::string, std::string> environment;
        Languages expected;
    };
    const Case cases[] = {
        {{}, {}},
        {{{"LANG", "C.UTF-8"}}, {}},
        {{{"LANG", "de_DE.UTF-8"}}, {"de"}},
        {{{"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE"}}, {"fr"}},
        {{{"LC_ALL", "ru_RU.UTF-8"}, {"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE"}}, {"ru"}},
        // An empty variable counts as unset.
        {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "es_ES"}}, {"es"}},
        {{{"LANGUAGE", "pt_BR:zh_CN::en"}, {"LANG", "de_DE.UTF-8"}}, {"pt", "zh", "en", "de"}},
        {{{"LANGUAGE", "ja:ja_JP:C"}, {"LANG", "ja_JP.UTF-8"}}, {"ja"}},
        // LANGUAGE is ignored while the C locale is selected, as gettext does.
        {{{"LANGUAGE", "fr:de"}, {"LANG", "C.UTF-8"}}, {}},
        {{{"LANGUAGE", "fr:de"}, {"LC_ALL", "POSIX"}, {"LANG", "ko_KR"}}, {}},
        {{{"LANGUAGE", "fr:de"}}, {}},
    };
    for (const Case& c : cases) {
        ScopedLocaleEnvironment environment(c.environment);
        std::string description;
        for (const auto& [name, value] : c.environment) description += name + "=" + value + " ";
        EXPECT_EQ(NSLocale::preferredLanguages(), c.expected) << description;
    }
}
