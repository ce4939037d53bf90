// Localised texts: the preferred languages from the locale variables, the strings-table format,
// and the bundle that picks a table and finds resources.
#include <gtest/gtest.h>

#include <fstream>

#include "ScopedLocaleEnvironment.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSLocale.hpp"
#include "platform/foundation/StringsTable.hpp"
#include "support/ScratchFolder.hpp"

namespace fs = std::filesystem;
using foundation::parseStringsTable;
using foundation::StringsTable;
using foundation::StringsTableError;

namespace {

TEST(NSLocale, PreferredLanguagesFollowTheLocaleVariablesInOrder) {
    const std::pair<std::map<std::string, std::string>, std::vector<std::string>> cases[] = {
        {{}, {}},
        {{{"LANG", "C.UTF-8"}}, {}},
        {{{"LANG", "de_DE.UTF-8"}}, {"de"}},
        {{{"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE"}}, {"fr"}},
        {{{"LC_ALL", "ru_RU.UTF-8"}, {"LC_MESSAGES", "fr_FR"}, {"LANG", "de_DE"}}, {"ru"}},
        // An empty variable counts as unset.
        {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "es_ES"}}, {"es"}},
        {{{"LANGUAGE", "pt_BR:zh_CN::en"}, {"LANG", "de_DE.UTF-8"}}, {"pt", "zh", "en", "de"}},
        {{{"LANGUAGE", "ja:ja_JP:C"}, {"LANG", "ja_JP.UTF-8"}}, {"ja"}},
        // Only the language of each name counts, in any case; names without one are skipped.
        {{{"LANGUAGE", "EN_us:sr@latin:12_34:_DE:pt-BR:zh_CN.GB18030"}, {"LANG", "de_DE.UTF-8@euro"}},
         {"en", "sr", "pt", "zh", "de"}},
        // LANGUAGE is ignored while the C locale is selected, as gettext does.
        {{{"LANGUAGE", "fr:de"}, {"LANG", "C.UTF-8"}}, {}},
        {{{"LANGUAGE", "fr:de"}, {"LC_ALL", "POSIX"}, {"LANG", "ko_KR"}}, {}},
        {{{"LANGUAGE", "fr:de"}}, {}},
    };
    for (const auto& [environment, expected] : cases) {
        ScopedLocaleEnvironment scoped(environment);
        EXPECT_EQ(NSLocale::preferredLanguages(), expected) << testing::PrintToString(environment);
    }
}

// A table, or an error, where the test expects one (else the wrong alternative fails the test).
StringsTable parsed(std::string_view text) { return std::get<StringsTable>(parseStringsTable(text)); }
StringsTableError failure(std::string_view text) { return std::get<StringsTableError>(parseStringsTable(text)); }

// UTF-16 bytes with a byte-order mark; the literal already holds surrogate pairs where needed.
std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(StringsTable, ReadsEntriesBetweenCommentsInEveryFormAndDecodesEscapes) {
    EXPECT_TRUE(parsed("  /* only */ // comments\n\n").empty());
    EXPECT_EQ(parsed("/* A translator comment\n   over two lines */\n"
                     "\"Your Input\" = \"Deine Eingabe\";\n"
                     "// a line comment with \"quotes\" and ; inside\n"
                     "\"Step\"=\"Schritt\" ;  /* trailing */\n"
                     "plain_word = other.word-1/2:$+;\n"
                     "\"short\";\n"
                     "\t\"spaced key\"\t=\r\n\"value // not a comment /* either */\";\n"
                     "\"Step\" = \"Schritt (last wins)\";"),
              (StringsTable{{"Your Input", "Deine Eingabe"},
                            {"Step", "Schritt (last wins)"},
                            {"plain_word", "other.word-1/2:$+"},
                            {"short", "short"},
                            {"spaced key", "value // not a comment /* either */"}}));
    EXPECT_EQ(parsed("\"c\" = \"a\\nb\\tc\\\"d\\\\e\\'f\";\n"
                     "\"u\" = \"\\U00e9\\u20AC\";\n"
                     "\"pair\" = \"\\UD83D\\UDE00\";\n"
                     "\"lone\" = \"\\UD83D\\U0041x\";\n"
                     "\"octal\" = \"\\101\\60\\1017\";\n"  // at most three octal digits
                     "\"line\" = \"one\\\ntwo\";"),
              (StringsTable{{"c", "a\nb\tc\"d\\e'f"},
                            {"u", "\u00E9\u20AC"},
                            {"pair", "\U0001F600"},
                            {"lone", "\uFFFDAx"},
                            {"octal", "A0A7"},
                            {"line", "one\ntwo"}}));
}

TEST(StringsTable, ReadsUtf16AndUtf8WithByteOrderMark) {
    const std::u16string text = u"/* \u00FC */\n\"key\" = \"Gr\u00FC\u00DFe \u6B65\u9AA4 \U0001F600\";\n";
    const StringsTable expected{{"key", "Gr\u00FC\u00DFe \u6B65\u9AA4 \U0001F600"}};
    EXPECT_EQ(parsed(utf16(text, false)), expected);
    EXPECT_EQ(parsed(utf16(text, true)), expected);
    EXPECT_EQ(parsed("\xEF\xBB\xBF\"key\" = \"Gr\u00FC\u00DFe \u6B65\u9AA4 \U0001F600\";"), expected);
    // A UTF-16 error still reports the line of the text, not of the bytes.
    EXPECT_EQ(failure(utf16(u"\"a\" = \"b\";\n\"c\" = \"d\"\n", false)).line, 2);
}

TEST(StringsTable, ReportsMalformedInputWithItsLine) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"\"a\" = \"b\";\n\"c\" = \"d\"\n\"e\" = \"f\";", 2, "expected ';' after the entry for \"c\""},
        {"\"a\" = \"b\"", 1, "expected ';' after the entry for \"a\""},
        {"\"short\"\n\n\"b\" = \"c\";", 1, "expected ';' after the entry for \"short\""},
        {"/* 1\n2 */\n\"a\" = \"x\ny\";\n\"b\" = \"c\" \"d\";", 5, "expected ';' after the entry for \"b\""},
        {"\"a\" = \"b\";\n\n\"c\" = \"d;\n\n// the end\n", 3, "unterminated string"},
        {"\"a\" = \"b\\", 1, "unterminated string"},
        {"\"a\" = \"b\";\n/* open\n\n", 2, "unterminated comment"},
        {"\"a\" = \"b\"; // note\n= \"c\";", 2, "unexpected character '='"},
        {"\"a\" = ;", 1, "unexpected character ';'"},
        {"\"a\" =\n", 2, "unexpected end of text"},
        {"\"k\" = \"\\U12G4\";", 1, "bad \\U escape"},
        {"\"k\" = \"\\U12", 1, "bad \\U escape"},
    };
    for (const auto& [text, line, message] : cases) {
        const StringsTableError error = failure(text);
        EXPECT_EQ(error.line, line) << text;
        EXPECT_EQ(error.message, message) << text;
    }
}

class Bundle : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [relative, text] : std::map<std::string, std::string>{
                 {"en.lproj/Localizable.strings", "\"Step\" = \"Step\";\n\"Only English\" = \"English text\";\n"},
                 {"en.lproj/Other.strings", "\"Step\" = \"Step from the other table\";\n"},
                 {"de.lproj/Localizable.strings", "/* comment */\n\"Step\" = \"Schritt\";\n"},
                 {"de.lproj/notes.txt", "Notizen"},
                 {"fr.lproj/Localizable.strings", "\"Step\" = \"\xC3\x89tape\";\n\"Result\" = \"R\xC3\xA9sultat\"\n"},
                 {"data.json", "{}"},
                 {"notes.txt", "plain notes"}}) {
            fs::create_directories((root / relative).parent_path());
            std::ofstream(root / relative) << text;
        }
    }

    ScratchFolder folder;
    const fs::path& root = folder.path();
};

TEST_F(Bundle, LooksUpKeysInTheFirstPreferredLanguageItHasAndKeepsThatChoice) {
    ScopedLocaleEnvironment environment({{"LANG", "de_DE.UTF-8"}});
    NSBundle bundle(root);
    EXPECT_EQ(bundle.localizations(), (std::vector<std::string>{"de", "en", "fr"}));
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Schritt");
    // A key missing from the chosen language shows as the key or the value given, not as the English text.
    EXPECT_EQ(bundle.localizedStringForKey("Only English", "", ""), "Only English");
    EXPECT_EQ(bundle.localizedStringForKey("Missing", "Fallback", ""), "Fallback");
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", "NoSuchTable"), "Step");
    ScopedLocaleEnvironment english({{"LANG", "en_GB.UTF-8"}});
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Schritt");  // chosen at the first lookup
    EXPECT_EQ(NSBundle(root).localizedStringForKey("Step", "", "Other"), "Step from the other table");
}

TEST_F(Bundle, FallsBackToEnglishWithoutAPreferredLanguageAndShowsKeysForABrokenTable) {
    {
        ScopedLocaleEnvironment environment({{"LANG", "it_IT.UTF-8"}});
        NSBundle bundle(root);
        EXPECT_EQ(bundle.preferredLocalization(), "en");
        EXPECT_EQ(bundle.localizedStringForKey("Only English", "", ""), "English text");
        EXPECT_EQ(NSBundle(root / "does-not-exist").localizedStringForKey("Step", "", ""), "Step");
    }
    ScopedLocaleEnvironment environment({{"LANG", "fr_FR.UTF-8"}});
    NSBundle bundle(root);
    testing::internal::CaptureStdout();
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Step");
    EXPECT_EQ(bundle.localizedStringForKey("Result", "Default", ""), "Default");
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("fr.lproj/Localizable.strings"), std::string::npos) << output;
    EXPECT_NE(output.find("line 2"), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

TEST_F(Bundle, FindsResourcesInTheFolderThenInTheLocalisation) {
    ScopedLocaleEnvironment environment({{"LANG", "de_DE.UTF-8"}});
    NSBundle bundle(root);
    EXPECT_EQ(bundle.pathForResource("data", "json"), root / "data.json");
    EXPECT_EQ(bundle.pathForResource("notes", "txt"), root / "notes.txt");
    fs::remove(root / "notes.txt");
    EXPECT_EQ(bundle.pathForResource("notes", "txt"), root / "de.lproj" / "notes.txt");
    EXPECT_EQ(bundle.pathForResource("Localizable", "strings"), root / "de.lproj" / "Localizable.strings");
    EXPECT_FALSE(bundle.pathForResource("data", "") || bundle.pathForResource("missing", "json"));
}

}  // namespace
