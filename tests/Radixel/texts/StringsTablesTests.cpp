#include <gtest/gtest.h>

#include "StringsTableFiles.hpp"

namespace {

// The error presenter fills "%0" and "%1" of these messages with the error's arguments.
const std::map<std::string, std::set<std::string>> kMessageArguments = {
    {"mustBeBiggerThanXAndLessThanY", {"%0", "%1"}},
    {"mustBeGreatherThanX", {"%0"}},
    {"mustBeLessThanX", {"%0"}},
};

const std::string kSectionSign = "\xC2\xA7";

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What code replaces: "%" with its digit (alone when stray), "§" with the word after it ("§appname").
std::set<std::string> placeholdersIn(const std::string& text) {
    std::set<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            const bool digit = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9';
            found.insert(text.substr(i, digit ? 2 : 1));
        } else if (text.compare(i, kSectionSign.size(), kSectionSign) == 0) {
            std::size_t end = i + kSectionSign.size();
            while (end < text.size() && isAsciiLetter(text[end])) ++end;
            found.insert(text.substr(i, end - i));
            i = end - 1;
        }
    }
    return found;
}

std::string keysMissingFrom(const foundation::StringsTable& other, const foundation::StringsTable& table) {
    std::string missing;
    for (const auto& entry : table)
        if (!other.count(entry.first)) missing += "\n  \"" + entry.first + "\"";
    return missing;
}

}  // namespace

// Most English texts equal their keys, so an untranslated step title would go unnoticed on screen.
TEST(StringsTables, EveryLanguageHasExactlyTheEnglishKeysAndTranslatedStepTitles) {
    const foundation::StringsTable english = loadTable("en");
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const foundation::StringsTable table = loadTable(language);
        EXPECT_EQ(keysMissingFrom(table, english), "") << "keys missing here";
        EXPECT_EQ(keysMissingFrom(english, table), "") << "keys English does not have";
        // A key's own note, such as "(math)", tells translators which sense is meant; it never shows.
        for (const auto& [key, value] : table) {
            EXPECT_FALSE(value.empty()) << key;
            EXPECT_EQ(value.find("(math)"), std::string::npos) << key;
        }
        EXPECT_EQ(table.at("Radixel"), "Radixel");
        EXPECT_NE(table.at("Cancel (math)"), table.at("Cancel"));
        if (std::string(language) == "en") continue;
        for (const char* key : {"Step", "Your Input", "Insert", "Cancel (math)", "Double fraction"})
            EXPECT_NE(table.count(key) ? table.at(key) : key, key);
    }
}

// Step titles such as "Step" become part of a format, so a stray "%" there would be read as a
// conversion: only the messages that take arguments carry "%0" and "%1", and all of theirs.
TEST(StringsTables, TranslationsKeepTheEnglishPlaceholdersAndPercentSignsOnlyWhereFilled) {
    const foundation::StringsTable english = loadTable("en");
    EXPECT_EQ(placeholdersIn(english.at("grabAdsDiscountForPercentage")), std::set<std::string>{kSectionSign});
    for (const auto& [key, value] : english) {
        std::set<std::string> percent;
        for (const std::string& placeholder : placeholdersIn(value))
            if (placeholder[0] == '%') percent.insert(placeholder);
        const auto arguments = kMessageArguments.find(key);
        EXPECT_EQ(percent, arguments == kMessageArguments.end() ? std::set<std::string>{} : arguments->second) << key;
    }
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const foundation::StringsTable table = loadTable(language);
        for (const auto& [key, value] : english) {
            if (!table.count(key)) continue;  // reported by the key-set test
            EXPECT_EQ(placeholdersIn(table.at(key)), placeholdersIn(value)) << key << " = " << table.at(key);
        }
    }
}
