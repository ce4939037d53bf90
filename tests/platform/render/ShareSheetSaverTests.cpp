#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/render/ShareSheetSaver.hpp"
#include "platform/render/UIGraphicsImageRenderer.hpp"

using render::ShareSheetSaver;

namespace {

class ShareSheetSaverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home_ = std::filesystem::temp_directory_path() / ("radixel-share-" + std::to_string(::getpid()));
        std::filesystem::create_directories(home_ / ".config");
        oldHome_ = std::getenv("HOME") ? std::getenv("HOME") : "";
        setenv("HOME", home_.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override
    {
        setenv("HOME", oldHome_.c_str(), 1);
        std::filesystem::remove_all(home_);
    }

    std::filesystem::path home_;
    std::string oldHome_;
};

std::shared_ptr<UIImage> picture()
{
    return UIGraphicsImageRenderer(CGSize{10, 10}).imageWithActions([](const UIGraphicsImageRendererContext& context) {
        context.fillRect({0, 0, 10, 10});
    });
}

} // namespace

TEST_F(ShareSheetSaverTest, PicturesFolderComesFromUserDirsOrHome)
{
    EXPECT_EQ(ShareSheetSaver::picturesFolder(), home_ / "Pictures");
    std::ofstream(home_ / ".config" / "user-dirs.dirs") << "# comment\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    EXPECT_EQ(ShareSheetSaver::picturesFolder(), home_ / "Bilder");
}

TEST_F(ShareSheetSaverTest, SavesEachImageUnderANewNameAndSaysWhere)
{
    UIActivityViewController sheet({picture(), std::string("text is not an image")}, {});
    const auto& outcome = ShareSheetSaver::saveIfNeeded(sheet);
    ASSERT_TRUE(outcome.saved) << outcome.message;
    ASSERT_EQ(outcome.files.size(), 1u);
    EXPECT_EQ(outcome.files[0].parent_path(), home_ / "Pictures");
    EXPECT_TRUE(std::filesystem::file_size(outcome.files[0]) > 0);
    EXPECT_NE(outcome.message.find(outcome.files[0].string()), std::string::npos);
    EXPECT_EQ(&ShareSheetSaver::saveIfNeeded(sheet), &outcome);  // saved once

    auto again = ShareSheetSaver::saveImages({picture()}, home_ / "Pictures");
    ASSERT_TRUE(again.saved);
    EXPECT_NE(again.files[0], outcome.files[0]);
}

TEST_F(ShareSheetSaverTest, FailuresAreReportedNotClaimedAsSaved)
{
    auto nothing = ShareSheetSaver::saveImages({}, home_ / "Pictures");
    EXPECT_FALSE(nothing.saved);
    EXPECT_NE(nothing.message.find("Could not save"), std::string::npos);

    std::ofstream(home_ / "file") << "x";
    auto blocked = ShareSheetSaver::saveImages({picture()}, home_ / "file" / "Pictures");
    EXPECT_FALSE(blocked.saved);
    EXPECT_NE(blocked.message.find("Could not"), std::string::npos);
}
