#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/foundation/NSBundle.hpp"

namespace {

const char* const kLanguages[] = {"de", "zh", "ja", "en", "es", "ko", "pt", "ru", "fr", "id", "hi"};

// The keys the shared texts and the solver's error messages are looked up by.
const std::set<std::string> kRequiredKeys = {
    "Fill in your given numbers:", "Your Input", "Expand", "Modified Input", "Step", "Result",
    "recommendedVideoIfUnclear", "touchTounlock", "Insert", "Calculate Verb", "Bring to a common denominator",
    "Cancel", "Addition", "Subtraction", "Rate", "Send", "Close", "Thanks", "error", "Cancel (math)",
    "Extract a root", "Square", "Quadratic equation", "Radixel", "Double fraction",
    "notEnoughInputValues", "inputParameterError", "inputZeroInDenominator",
};

foundation::StringsTable loadTable(const std::string& language) {
    const auto file = NSBundle::mainBundle().resourcePath() / (language + ".lproj") / "Localizable.strings";
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "missing " << file;
        return {};
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = foundation::parseStringsTable(bytes);
    if (auto* error = std::get_if<foundation::StringsTableError>(&parsed)) {
        ADD_FAILURE() << file << " line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<foundation::StringsTable>(parsed);
}

std::set<std::string> keysOf(const foundation::StringsTable& table) {
    std::set<std::string> keys;
    for (const auto& entry : table) keys.insert(entry.first);
    return keys;
}

}  // namespace

TEST(StringsTables, EveryLanguageParsesAndHasTheSameKeys) {
    const std::set<std::string> englishKeys = keysOf(loadTable("en"));
    EXPECT_TRUE(std::includes(englishKeys.begin(), englishKeys.end(), kRequiredKeys.begin(), kRequiredKeys.end()));
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const foundation::StringsTable table = loadTable(language);
        EXPECT_EQ(keysOf(table), englishKeys);
        for (const auto& [key, value] : table) {
            EXPECT_FALSE(value.empty()) << key;
            // "Step" becomes part of a format; no text may carry a conversion of its own.
            EXPECT_EQ(value.find('%'), std::string::npos) << key;
        }
        if (table.count("Radixel")) {
            EXPECT_EQ(table.at("Radixel"), "Radixel");
        }
    }
}

TEST(StringsTables, StepTitlesAreTranslated) {
    // The English texts equal their keys, so an untranslated title would go unnoticed on screen.
    for (const char* language : kLanguages) {
        if (std::string(language) == "en") continue;
        SCOPED_TRACE(language);
        const foundation::StringsTable table = loadTable(language);
        for (const char* key : {"Step", "Your Input", "Insert", "Cancel (math)", "Double fraction"}) {
            ASSERT_TRUE(table.count(key)) << key;
            EXPECT_NE(table.at(key), key);
        }
        EXPECT_NE(table.at("Cancel (math)"), table.at("Cancel"));
    }
}

TEST(StringsTables, BundleHasAllElevenLocalisations) {
    const auto available = NSBundle::mainBundle().localizations();
    for (const char* language : kLanguages)
        EXPECT_NE(std::find(available.begin(), available.end(), language), available.end()) << language;
}
