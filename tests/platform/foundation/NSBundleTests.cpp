#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "ScopedLocaleEnvironment.hpp"

namespace fs = std::filesystem;

namespace {

class NSBundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& [relative, text] : std::initializer_list<std::pair<const char*, std::string>>{
                 {"en.lproj/Localizable.strings", "\"Step\" = \"Step\";\n\"Only English\" = \"English text\";\n"},
                 {"en.lproj/Other.strings", "\"Step\" = \"Step from the other table\";\n"},
                 {"de.lproj/Localizable.strings", "/* comment */\n\"Step\" = \"Schritt\";\n"},
                 {"de.lproj/notes.txt", "Notizen"},
                 {"fr.lproj/Localizable.strings", "\"Step\" = \"\xC3\x89tape\";\n\"Result\" = \"R\xC3\xA9sultat\"\n"},
                 {"data.json", "{}"},
                 {"notes.txt", "plain notes"}}) {
            fs::create_directories((root_ / relative).parent_path());
            std::ofstream(root_ / relative, std::ios::binary) << text;
        }
    }

    ScratchFolder folder_;
    const fs::path& root_ = folder_.path();
};

}  // namespace

TEST_F(NSBundleTest, LooksUpTheEnglishTableInTheCLocale) {
    ScopedLocaleEnvironment environment({{"LANG", "C.UTF-8"}});
    NSBundle bundle(root_);
    EXPECT_EQ(bundle.localizations(), (std::vector<std::string>{"de", "en", "fr"}));
    EXPECT_EQ(bundle.preferredLocalization(), "en");
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Step");
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", "Other"), "Step from the other table");
    EXPECT_EQ(bundle.localizedStringForKey("Missing", "", ""), "Missing");
    EXPECT_EQ(bundle.localizedStringForKey("Missing", "Fallback", ""), "Fallback");
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", "NoSuchTable"), "Step");

    NSBundle nowhere(root_ / "does-not-exist");
    EXPECT_TRUE(nowhere.localizations().empty());
    EXPECT_EQ(nowhere.localizedStringForKey("Step", "", ""), "Step");
}

TEST_F(NSBundleTest, UsesTheFirstPreferredLanguageItHasKeepsItAndFallsBackToEnglish) {
    {
        ScopedLocaleEnvironment environment({{"LANG", "de_DE.UTF-8"}});
        NSBundle bundle(root_);
        EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Schritt");
        // A key missing from the chosen language shows as the key, not as the English text.
        EXPECT_EQ(bundle.localizedStringForKey("Only English", "", ""), "Only English");
        ScopedLocaleEnvironment english({{"LANG", "en_GB.UTF-8"}});
        EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Schritt");  // chosen at the first lookup
    }
    {
        ScopedLocaleEnvironment environment({{"LANGUAGE", "it:de"}, {"LANG", "it_IT.UTF-8"}});
        EXPECT_EQ(NSBundle(root_).preferredLocalization(), "de");
    }
    ScopedLocaleEnvironment environment({{"LANG", "it_IT.UTF-8"}});
    NSBundle bundle(root_);
    EXPECT_EQ(bundle.preferredLocalization(), "en");
    EXPECT_EQ(bundle.localizedStringForKey("Only English", "", ""), "English text");
}

TEST_F(NSBundleTest, BrokenTablePrintsOneLineAndShowsKeys) {
    ScopedLocaleEnvironment environment({{"LANG", "fr_FR.UTF-8"}});
    NSBundle bundle(root_);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(bundle.localizedStringForKey("Step", "", ""), "Step");
    EXPECT_EQ(bundle.localizedStringForKey("Result", "Default", ""), "Default");
    const std::string output = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("fr.lproj/Localizable.strings"), std::string::npos) << output;
    EXPECT_NE(output.find("line 2"), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

TEST_F(NSBundleTest, FindsResourcesInTheFolderThenInTheLocalisation) {
    ScopedLocaleEnvironment environment({{"LANG", "de_DE.UTF-8"}});
    NSBundle bundle(root_);
    EXPECT_EQ(bundle.pathForResource("data", "json"), root_ / "data.json");
    EXPECT_EQ(bundle.pathForResource("notes", "txt"), root_ / "notes.txt");
    fs::remove(root_ / "notes.txt");
    EXPECT_EQ(bundle.pathForResource("notes", "txt"), root_ / "de.lproj" / "notes.txt");
    EXPECT_EQ(bundle.pathForResource("Localizable", "strings"), root_ / "de.lproj" / "Localizable.strings");
    EXPECT_EQ(bundle.pathForResource("data", ""), std::nullopt);
    EXPECT_EQ(bundle.pathForResource("missing", "json"), std::nullopt);
}
