#include <gtest/gtest.h>

#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/CalculatorKey.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/ScopedLocaleEnvironment.hpp"

using Environment = std::map<std::string, std::string>;

// The codes key the remote video lists: two calculators sharing one would show each other's videos.
TEST(CalculatorKeyTest, EveryCaseHasItsOwnCodeInCapitals) {
    std::set<std::string> seen;
    for (int i = 0; i < calculatorKeyCount; ++i) {
        std::string text = code(static_cast<CalculatorKey>(i));
        EXPECT_FALSE(text.empty()) << i;
        for (char c : text) EXPECT_TRUE(c >= 'A' && c <= 'Z') << text;
        EXPECT_TRUE(seen.insert(text).second) << "duplicate " << text;
    }
}

// Videos and ad pictures must be in the language of the texts on screen.
TEST(ApplicationLanguageTest, IsThatOfTheTextsAndEnglishWhereNoTableExists) {
    // A bundle of its own for each environment: the main bundle keeps the language it chose first.
    auto under = [](const Environment& environment) {
        ScopedLocaleEnvironment scoped(environment);
        NSBundle bundle(NSBundle::mainBundle().resourcePath());
        return applicationLanguage(bundle) + ": " + bundle.localizedStringForKey("Step", "", "");
    };
    EXPECT_EQ(under({{"LANG", "it_IT.UTF-8"}, {"LANGUAGE", "it:de"}}), "de: Schritt");
    EXPECT_EQ(under({{"LANG", "it_IT.UTF-8"}}), "en: Step");
}

TEST(ApplicationLanguageTest, CurrentLanguageStaysWithTheTextsForTheWholeRun) {
    const std::string language = currentLanguageCode();
    const std::string step = NSLocalizedString("Step", "");
    ScopedLocaleEnvironment german(Environment{{"LANG", "de_DE.UTF-8"}});
    EXPECT_EQ(currentLanguageCode(), language);
    EXPECT_EQ(NSLocalizedString("Step", ""), step);
}
