#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/SavedDataAlert.hpp"
#include "platform/foundation/AtomicFile.hpp"
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
    // The alert with that title is on top and names the detail after its label, and the folder.
    void expectTold(const std::string& titleKey, const std::string& labelKey, const std::string& detail) {
        auto alert = shownAlert();
        ASSERT_TRUE(alert && alert->message());
        EXPECT_EQ(alert->title(), NSLocalizedString(titleKey, ""));
        ASSERT_FALSE(detail.empty());
        EXPECT_NE(alert->message()->find(NSLocalizedString(labelKey, "") + " "), std::string::npos) << *alert->message();
        EXPECT_NE(alert->message()->find(detail), std::string::npos) << *alert->message();
        EXPECT_NE(alert->message()->find(defaults.folder.path().string()), std::string::npos) << *alert->message();
        ASSERT_TRUE(h.tapAlertAction("OK"));
        h.finishAnimations();
    }
    // Under the alert, the privacy prompt of the start that the missing data makes a first one.
    void expectPrivacyPrompt() {
        ASSERT_TRUE(h.presentedAlert());
        EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("dsgvoTitle", ""));
    }
    // Each failed write names its own temporary file, so only the system's words at the end count.
    static std::string systemWords(const std::string& reason) { return reason.substr(reason.rfind(": ") + 2); }
    std::vector<std::string> temporaryFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(defaults.folder.path()))
            if (entry.path().filename().string().starts_with(foundation::temporaryFilePrefix(file())))
                names.push_back(entry.path().filename());
        return names;
    }
    // Whether the condition comes true while the clock moves on a second at a time.
    bool within(int seconds, const std::function<bool()>& condition) {
        for (int second = 0; second <= seconds; ++second, h.advance(1))
            if (h.runUntil(condition, 0.2)) return true;
        return false;
    }
    size_t storedEntries() const {
        auto text = foundation::readFileContents(file());
        auto stored = text ? nlohmann::json::parse(*text, nullptr, false) : nlohmann::json();
        return stored.is_object() ? stored.value("Calculations", nlohmann::json::array()).size() : 0;
    }
};

}  // namespace

TEST_F(SavedDataAlertTest, DefaultsThatCannotBeReadAreToldOverTheFirstStartsPrompts) {
    // Something the file cannot be read from, left as it is.
    fs::create_directories(file() / "kept");
    launch();
    auto problem = NSUserDefaults::standardUserDefaults()->fileProblem();
    ASSERT_TRUE(problem && problem->reading);
    expectTold("dataNotReadTitle", "dataReason", systemWords(problem->reason));
    expectPrivacyPrompt();
    EXPECT_TRUE(fs::is_directory(file() / "kept"));
}

TEST_F(SavedDataAlertTest, DamagedDefaultsAreKeptByteForByteAndToldUnderTheNameTheyWereKeptAs) {
    // Twenty entries, cut short as a crash or a bad copy leaves them.
    auto entries = nlohmann::json::array();
    for (int i = 0; i < 20; ++i) entries.push_back({{"latexString", "p = " + std::to_string(i)}});
    std::string whole = nlohmann::json{{"Calculations", entries}}.dump();
    std::string damaged = whole.substr(0, whole.size() * 2 / 3);
    std::ofstream(file()) << damaged;
    launch();
    auto kept = NSUserDefaults::standardUserDefaults()->damagedFileSetAside();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->parent_path(), defaults.folder.path());
    EXPECT_EQ(foundation::readFileContents(*kept), damaged);
    expectTold("dataDamagedTitle", "dataKeptAs", kept->filename().string());
    expectPrivacyPrompt();
}

TEST_F(SavedDataAlertTest, AFailedSaveIsToldOnceARunAndTriedAgainUntilItWorks) {
    launch(Answers{});
    EXPECT_FALSE(h.presentedAlert());
    // While blocked, every save fails: the file's place is taken by a folder.
    auto block = [&] { fs::remove(file()), fs::create_directories(file() / "blocker"); };
    auto unblock = [&] { fs::remove_all(file()); };
    ASSERT_TRUE(NSUserDefaults::standardUserDefaults()->synchronize());
    block();
    enter("3", "2");
    ASSERT_TRUE(tapCalculate());
    auto problem = [] { return NSUserDefaults::standardUserDefaults()->fileProblem(); };
    ASSERT_TRUE(h.runUntil([&] { return problem().has_value(); }));
    ASSERT_FALSE(problem()->reading);
    expectTold("dataNotSavedTitle", "dataReason", systemWords(problem()->reason));
    EXPECT_EQ(temporaryFiles(), std::vector<std::string>{});

    // Once the place is free again, the next activation saves, with no change and no time passing.
    unblock();
    h.resignActive();
    h.becomeActive();
    EXPECT_TRUE(within(0, [&] { return !problem() && storedEntries() == 2; })) << "the example and the calculation";

    // A failure after that success says nothing more in this run, and is tried again on its own.
    block();
    ASSERT_TRUE(tapClear());
    ASSERT_TRUE(h.runUntil([&] { return problem().has_value(); }));
    EXPECT_FALSE(shownAlert(0.5));
    unblock();
    EXPECT_TRUE(within(5, [&] { return !problem() && storedEntries() == 2; }));
}
