#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/CalculatorKey.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/ScopedLocaleEnvironment.hpp"

TEST(CalculatorKeyTest, EveryCaseHasItsOwnCodeOfTwoToFiveCapitals) {
    EXPECT_EQ(code(CalculatorKey::quadraticEquation), "ZV");
    EXPECT_EQ(static_cast<int>(CalculatorKey::quadraticEquation), 3);
    EXPECT_EQ(static_cast<int>(CalculatorKey::compoundInterest), calculatorKeyCount - 1);
    std::set<std::string> seen;
    for (int i = 0; i < calculatorKeyCount; ++i) {
        std::string text = code(static_cast<CalculatorKey>(i));
        EXPECT_GE(text.size(), 2u) << i;
        EXPECT_LE(text.size(), 5u) << i;
        for (char c : text) EXPECT_TRUE(c >= 'A' && c <= 'Z') << text;
        EXPECT_TRUE(seen.insert(text).second) << "duplicate " << text;
    }
}

TEST(ApplicationLanguageTest, SupportedLanguagesOnlyElseEnglish) {
    EXPECT_EQ(applicationLanguage("de"), "de");
    EXPECT_EQ(applicationLanguage("hi"), "hi");
    EXPECT_EQ(applicationLanguage("it"), "en");
    EXPECT_EQ(applicationLanguage("DE"), "en");
    EXPECT_EQ(applicationLanguage(std::nullopt), "en");
}

namespace {

// A bundle of its own for each environment: the main bundle keeps the language it chose first.
std::string languageUnder(const std::map<std::string, std::string>& environment, const std::string& key = "") {
    ScopedLocaleEnvironment scoped(environment);
    NSBundle bundle(NSBundle::mainBundle().resourcePath());
    const std::string language = applicationLanguage(bundle);
    return key.empty() ? language : language + ": " + bundle.localizedStringForKey(key, "", "");
}

}  // namespace

TEST(ApplicationLanguageTest, IsTheLanguageOfTheTexts) {
    // Italian has no texts, so both the texts and the videos are German.
    EXPECT_EQ(languageUnder({{"LANG", "it_IT.UTF-8"}, {"LANGUAGE", "it:de"}}, "Step"), "de: Schritt");
    EXPECT_EQ(languageUnder({{"LANG", "de_DE.UTF-8"}}, "Step"), "de: Schritt");
    EXPECT_EQ(languageUnder({{"LANG", "pt_BR.UTF-8"}}), "pt");
    EXPECT_EQ(languageUnder({{"LANG", "it_IT.UTF-8"}}, "Step"), "en: Step");
    // Under the C locale the language list is not consulted, as for the texts.
    EXPECT_EQ(languageUnder({{"LANG", "C"}, {"LANGUAGE", "de"}}), "en");
}

TEST(ApplicationLanguageTest, CurrentLanguageStaysWithTheTextsForTheWholeRun) {
    const std::string language = currentLanguageCode();
    const std::string step = NSLocalizedString("Step", "");
    ScopedLocaleEnvironment german{{"LANG", "de_DE.UTF-8"}};
    EXPECT_EQ(currentLanguageCode(), language);
    EXPECT_EQ(NSLocalizedString("Step", ""), step);
}
