#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/CalculatorKey.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/ScopedLocaleEnvironment.hpp"

using Environment = std::map<std::string, std::string>;

// The codes key the remote video lists: each must be unique and in the agreed form.
TEST(CalculatorKeyTest, EveryCaseHasItsOwnCodeOfTwoToFiveCapitals) {
    EXPECT_EQ(code(CalculatorKey::quadraticEquation), "ZV");
    EXPECT_EQ(static_cast<int>(CalculatorKey::compoundInterest), calculatorKeyCount - 1);
    std::set<std::string> seen;
    for (int i = 0; i < calculatorKeyCount; ++i) {
        std::string text = code(static_cast<CalculatorKey>(i));
        EXPECT_TRUE(text.size() >= 2 && text.size() <= 5) << i;
        for (char c : text) EXPECT_TRUE(c >= 'A' && c <= 'Z') << text;
        EXPECT_TRUE(seen.insert(text).second) << "duplicate " << text;
    }
}

TEST(ApplicationLanguageTest, IsASupportedLanguageOfTheTextsElseEnglish) {
    EXPECT_EQ(applicationLanguage("hi"), "hi");
    EXPECT_EQ(applicationLanguage("it"), "en");
    EXPECT_EQ(applicationLanguage("DE"), "en");
    EXPECT_EQ(applicationLanguage(std::nullopt), "en");

    // A bundle of its own for each environment: the main bundle keeps the language it chose first.
    auto under = [](const Environment& environment, const std::string& key = "") {
        ScopedLocaleEnvironment scoped(environment);
        NSBundle bundle(NSBundle::mainBundle().resourcePath());
        const std::string language = applicationLanguage(bundle);
        return key.empty() ? language : language + ": " + bundle.localizedStringForKey(key, "", "");
    };
    // Italian has no texts, so both the texts and the videos are German.
    EXPECT_EQ(under({{"LANG", "it_IT.UTF-8"}, {"LANGUAGE", "it:de"}}, "Step"), "de: Schritt");
    EXPECT_EQ(under({{"LANG", "de_DE.UTF-8"}}, "Step"), "de: Schritt");
    EXPECT_EQ(under({{"LANG", "pt_BR.UTF-8"}}), "pt");
    EXPECT_EQ(under({{"LANG", "it_IT.UTF-8"}}, "Step"), "en: Step");
    // Under the C locale the language list is not consulted, as for the texts.
    EXPECT_EQ(under({{"LANG", "C"}, {"LANGUAGE", "de"}}), "en");
}

TEST(ApplicationLanguageTest, CurrentLanguageStaysWithTheTextsForTheWholeRun) {
    const std::string language = currentLanguageCode();
    const std::string step = NSLocalizedString("Step", "");
    ScopedLocaleEnvironment german(Environment{{"LANG", "de_DE.UTF-8"}});
    EXPECT_EQ(currentLanguageCode(), language);
    EXPECT_EQ(NSLocalizedString("Step", ""), step);
}
