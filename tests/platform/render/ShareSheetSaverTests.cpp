#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "platform/render/ShareSheetSaver.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "support/ScratchFolder.hpp"
#include "tests/platform/render/PixelProbe.hpp"

using render::ShareSheetSaver;

// Saving into the user's pictures folder is also followed from the solution page's share sheet;
// these are the rules that page does not reach. Each test has a home of its own.
class ShareSheetSaverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        setenv("HOME", home.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override { setenv("HOME", oldHome.c_str(), 1); }

    ScratchFolder home;
    std::string oldHome;
    std::shared_ptr<UIImage> picture = solidImage({4, 4}, 1, 0, 0, 0);
};

TEST_F(ShareSheetSaverTest, SavesEachImageOnceUnderANewNameInThePicturesFolderOfUserDirs)
{
    std::filesystem::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config" / "user-dirs.dirs") << "# comment\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n";

    // The window saves the sheets its controllers present, once.
    auto window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    window->setRootViewController(std::make_shared<UIViewController>());
    window->makeKeyAndVisible();
    std::vector<std::any> items{picture, std::string("text is not an image")};
    auto sheet = std::make_shared<UIActivityViewController>(items, std::vector<std::any>{});
    window->rootViewController()->presentViewController(sheet, false);
    RunLoop::main().runUntilIdle();
    auto messages = ShareSheetSaver::saveSheetsShownIn(*window);
    const auto& outcome = ShareSheetSaver::saveIfNeeded(*sheet);
    ASSERT_TRUE(outcome.saved) << outcome.message;
    EXPECT_EQ(messages, std::vector<std::string>{outcome.message});
    EXPECT_TRUE(ShareSheetSaver::saveSheetsShownIn(*window).empty());
    ASSERT_EQ(outcome.files.size(), 1u);
    EXPECT_EQ(outcome.files[0].parent_path(), home.path() / "Bilder");
    EXPECT_EQ(outcome.message, "Saved to " + outcome.files[0].string());
    EXPECT_GT(std::filesystem::file_size(outcome.files[0]), 0u);

    // Named by the second of saving; a name taken gets a number, and several pictures a count.
    auto again = ShareSheetSaver::saveImages({picture}, home.path() / "Bilder");
    auto two = ShareSheetSaver::saveImages({picture, picture}, home.path() / "Bilder");
    ASSERT_TRUE(again.saved && two.files.size() == 2);
    EXPECT_TRUE(two.files[1].string().ends_with(" 2.png")) << two.files[1];
    std::regex name(R"(Radixel \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d( \(2\))?\.png)");
    EXPECT_TRUE(std::regex_match(again.files[0].filename().string(), name)) << again.files[0];
    EXPECT_NE(again.files[0], outcome.files[0]);

    auto nothing = ShareSheetSaver::saveImages({}, home.path() / "Bilder");
    EXPECT_FALSE(nothing.saved);
    EXPECT_NE(nothing.message.find("Could not save"), std::string::npos);
}

// Where user-dirs (under XDG_CONFIG_HOME when set) names no usable folder, ~/Pictures serves.
TEST_F(ShareSheetSaverTest, ThePicturesFolderIsTheOneUserDirsNames)
{
    auto config = home.path() / "elsewhere";
    std::filesystem::create_directories(config);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    for (const auto& [line, folder] : std::vector<std::pair<std::string, std::filesystem::path>>{
             {"$HOME//Bilder\"", home.path() / "Bilder"}, {"/srv/pictures\"", "/srv/pictures"}, {"$HOME/\"", home.path() / "Pictures"},
             {"Bilder\"", home.path() / "Pictures"}, {"$HOME/Bilder", home.path() / "Pictures"}}) {
        std::ofstream(config / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"" << line << "\n";
        EXPECT_EQ(ShareSheetSaver::picturesFolder(), folder) << line;
    }
}
