#include <gtest/gtest.h>

#include <filesystem>

#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/SavedDataAlert.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UIAlertController.hpp"

namespace fs = std::filesystem;

namespace {

class SavedDataAlertTest : public ::testing::Test, public LaunchedApp {
protected:
    fs::path file() const { return defaults.folder.path() / "defaults.json"; }
    // The alert on top, once whatever is being presented has settled.
    std::shared_ptr<UIAlertController> shownAlert(double timeout = 5) {
        h.finishAnimations();
        h.runUntil([&] { return h.presentedAlert() && h.presentedAlert()->title() != NSLocalizedString("dsgvoTitle", ""); }, timeout);
        return h.presentedAlert();
    }
    // The message names the reason the file gave, and the folder. Each failed write names its
    // own temporary file, so only the system's words at the end are compared.
    void expectReasonAndFolder(const UIAlertController& alert, const std::string& reason) {
        ASSERT_TRUE(alert.message());
        ASSERT_FALSE(reason.empty());
        EXPECT_NE(alert.message()->find(NSLocalizedString("dataReason", "") + " "), std::string::npos) << *alert.message();
        EXPECT_NE(alert.message()->find(reason.substr(reason.rfind(": ") + 2)), std::string::npos) << *alert.message();
        EXPECT_NE(alert.message()->find(defaults.folder.path().string()), std::string::npos) << *alert.message();
    }
};

}  // namespace

TEST_F(SavedDataAlertTest, DefaultsThatCannotBeReadAreToldOverTheFirstStartsPrompts) {
    // Something the file cannot be read from, left as it is.
    fs::create_directories(file() / "kept");
    launch();
    auto alert = shownAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), NSLocalizedString("dataNotReadTitle", ""));
    auto problem = NSUserDefaults::standardUserDefaults()->fileProblem();
    ASSERT_TRUE(problem && problem->reading);
    expectReasonAndFolder(*alert, problem->reason);

    // Under it, the privacy prompt of the start that the missing data makes a first one.
    ASSERT_TRUE(h.tapAlertAction("OK"));
    h.finishAnimations();
    ASSERT_TRUE(h.presentedAlert());
    EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("dsgvoTitle", ""));
    EXPECT_TRUE(fs::is_directory(file() / "kept"));
}

TEST_F(SavedDataAlertTest, AFailedSaveIsToldOnceARun) {
    launch(Answers{});
    EXPECT_FALSE(h.presentedAlert());
    // From now on every save fails: the file's place is taken by a folder.
    ASSERT_TRUE(NSUserDefaults::standardUserDefaults()->synchronize());
    fs::remove(file());
    fs::create_directories(file() / "blocker");
    enter("3", "2");
    ASSERT_TRUE(tapCalculate());
    auto alert = shownAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), NSLocalizedString("dataNotSavedTitle", ""));
    auto problem = NSUserDefaults::standardUserDefaults()->fileProblem();
    ASSERT_TRUE(problem && !problem->reading);
    expectReasonAndFolder(*alert, problem->reason);
    ASSERT_TRUE(h.tapAlertAction("OK"));
    h.finishAnimations();

    // Failing again says nothing more.
    ASSERT_TRUE(tapClear());
    EXPECT_FALSE(shownAlert(0.5));
}
