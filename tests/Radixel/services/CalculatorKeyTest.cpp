#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "Radixel/services/ApplicationLanguage.hpp"
#include "Radixel/services/CalculatorKey.hpp"

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

TEST(ApplicationLanguageTest, FollowsTheLocaleEnvironment) {
    const char* saved = std::getenv("LANG");
    std::string previous = saved ? saved : "";
    ::unsetenv("LANGUAGE");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(currentLanguageCode(), "de");
    ::setenv("LANG", "it_IT.UTF-8", 1);
    EXPECT_EQ(currentLanguageCode(), "en");
    ::setenv("LANG", "C", 1);
    EXPECT_EQ(currentLanguageCode(), "en");
    if (saved)
        ::setenv("LANG", previous.c_str(), 1);
    else
        ::unsetenv("LANG");
}
