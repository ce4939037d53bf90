// The words the system draws on its own controls follow the language of the application's texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <sys/wait.h>

#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/ScopedLocaleEnvironment.hpp"
#include "platform/uikit/SystemStrings.hpp"
#include "platform/uikit/UITableViewCellEditingControls.hpp"
#include "support/ChildTestProcess.hpp"
#include "support/ScratchFolder.hpp"

namespace {

constexpr const char* resourcesVariable = "RADIXEL_TEST_SYSTEM_STRINGS_RESOURCES";

void addLocalizations(const ScratchFolder& folder, std::initializer_list<const char*> languages)
{
    for (const char* language : languages) {
        auto lproj = folder.path() / (std::string(language) + ".lproj");
        std::filesystem::create_directories(lproj);
        std::ofstream(lproj / "Localizable.strings") << "\"Step\" = \"Step\";\n";
    }
}

} // namespace

TEST(SystemStrings, DeleteIsInTheLanguageTheBundlesTextsAreShownInAndEachShippedLanguageHasItsOwn)
{
    ScratchFolder folder;
    addLocalizations(folder, {"de", "zh", "ja", "en", "es", "ko", "pt", "ru", "fr", "id", "hi"});
    ScratchFolder fewer;
    addLocalizations(fewer, {"de", "en", "ja"});
    auto wordUnder = [](const ScratchFolder& bundle, const std::map<std::string, std::string>& environment, const char* word = "Delete") {
        ScopedLocaleEnvironment scoped(environment);
        return uikit::systemString(word, NSBundle(bundle.path()));
    };
    // Which of its languages a bundle shows is the bundle's own test.
    EXPECT_EQ(wordUnder(fewer, {{"LANG", "de_DE.UTF-8"}}), "Löschen");
    EXPECT_EQ(wordUnder(fewer, {{"LANG", "de_DE.UTF-8"}}, "Done"), "Done");
    // The system knows Korean, but the texts are English, and so is the button beside them.
    EXPECT_EQ(wordUnder(fewer, {{"LANG", "ko_KR.UTF-8"}}), "Delete");

    std::set<std::string> words;
    for (const char* language : {"de", "zh", "ja", "es", "ko", "pt", "ru", "fr", "id", "hi"}) {
        std::string word = wordUnder(folder, {{"LANGUAGE", language}, {"LANG", "en_US.UTF-8"}});
        EXPECT_NE(word, "Delete") << language;
        EXPECT_TRUE(words.insert(word).second) << language << " repeats " << word;
    }
}

// Child: the Delete button of a process whose texts are in the language before the colon.
TEST(SystemStrings, DeleteButtonOfAProcessInOneLanguage)
{
    const char* given = std::getenv(resourcesVariable);
    if (!given) {
        GTEST_SKIP() << "runs as a child of SystemStrings.TheDeleteButtonSpeaksTheLanguageOfTheMainBundle";
    }
    std::string value = given;
    std::string language = value.substr(0, value.find(':'));
    setenv("RADIXEL_RESOURCES", value.substr(value.find(':') + 1).c_str(), 1);
    ScopedLocaleEnvironment scoped(std::map<std::string, std::string>{{"LANGUAGE", language}, {"LANG", "en_US.UTF-8"}});
    UITableViewCellDeleteConfirmationButton button;
    EXPECT_EQ(button.currentTitle(), uikit::systemString("Delete", NSBundle::mainBundle()));
    EXPECT_NE(button.currentTitle(), std::string("Delete"));
}

TEST(SystemStrings, TheDeleteButtonSpeaksTheLanguageOfTheMainBundle)
{
    ScratchFolder folder;
    addLocalizations(folder, {"en", "ja"});
    pid_t child = startChildTest("SystemStrings.DeleteButtonOfAProcessInOneLanguage", resourcesVariable, "ja:" + folder.path().string());
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
