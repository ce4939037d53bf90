// Two processes on one data folder: one keeps saving while many others start and end. A process
// that starts must not take away the temporary file the writer is about to rename.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "support/ChildTestProcess.hpp"
#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSUserDefaults.hpp"

namespace fs = std::filesystem;

namespace {

constexpr const char* writerVariable = "RADIXEL_TEST_SHARED_FOLDER_WRITER";
constexpr const char* starterVariable = "RADIXEL_TEST_SHARED_FOLDER_STARTER";
constexpr int entries = 150;

// Child: adds history entries one by one, saving after each; exits with the number of failed saves.
TEST(UserDefaultsSharedFolder, WriterSavesEveryEntry) {
    const char* folder = std::getenv(writerVariable);
    if (!folder) GTEST_SKIP() << "runs as a child of UserDefaultsSharedFolder.NoSaveFailsAndNoEntryIsLost";
    NSUserDefaults defaults(fs::path(folder) / "defaults.json");
    nlohmann::json history = nlohmann::json::array();
    int failed = 0;
    for (int i = 0; i < entries; ++i) {
        // Large enough that each save spends a while in its temporary file.
        history.push_back({{"latexString", std::string(4096, 'x')}, {"entry", i}});
        defaults.setObject(history, "Calculations");
        if (!defaults.synchronize()) ++failed;
    }
    std::_Exit(failed);
}

// Child: a short run of the program that opens the defaults and ends.
TEST(UserDefaultsSharedFolder, StarterOpensAndEnds) {
    const char* folder = std::getenv(starterVariable);
    if (!folder) GTEST_SKIP() << "runs as a child of UserDefaultsSharedFolder.NoSaveFailsAndNoEntryIsLost";
    NSUserDefaults defaults(fs::path(folder) / "defaults.json");
    std::_Exit(0);
}

TEST(UserDefaultsSharedFolder, NoSaveFailsAndNoEntryIsLost) {
    ScratchFolder folder;
    pid_t writer = startChildTest("UserDefaultsSharedFolder.WriterSavesEveryEntry", writerVariable, folder.path());
    ASSERT_GT(writer, 0);
    int writerStatus = 0;
    int starters = 0;
    std::vector<pid_t> running;
    // Keep eight starters going until the writer is done.
    while (::waitpid(writer, &writerStatus, WNOHANG) == 0) {
        if (running.size() == 8) {
            ::waitpid(running.front(), nullptr, 0);
            running.erase(running.begin());
        }
        pid_t starter = startChildTest("UserDefaultsSharedFolder.StarterOpensAndEnds", starterVariable, folder.path());
        ASSERT_GT(starter, 0);
        running.push_back(starter);
        ++starters;
    }
    for (pid_t starter : running) ::waitpid(starter, nullptr, 0);

    ASSERT_TRUE(WIFEXITED(writerStatus));
    EXPECT_EQ(WEXITSTATUS(writerStatus), 0) << "saves failed while " << starters << " processes started";
    auto history = NSUserDefaults(folder.path() / "defaults.json").arrayForKey("Calculations");
    ASSERT_TRUE(history.has_value());
    ASSERT_EQ(history->size(), static_cast<std::size_t>(entries));
    for (int i = 0; i < entries; ++i) EXPECT_EQ((*history)[i]["entry"], i);
    std::cout << starters << " processes started while the writer saved " << entries << " times" << std::endl;
}

}  // namespace
