// Other processes on the same data folder: a writer killed at random moments must always leave a
// complete file, and processes that start while another one saves must not take away the
// temporary file it is about to rename.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <csignal>
#include <random>
#include <thread>

#include "platform/foundation/NSUserDefaults.hpp"
#include "support/ChildTestProcess.hpp"
#include "support/ScratchFolder.hpp"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr const char* killedWriterVariable = "RADIXEL_TEST_DEFAULTS_WRITER";
constexpr const char* writerVariable = "RADIXEL_TEST_SHARED_FOLDER_WRITER";
constexpr const char* starterVariable = "RADIXEL_TEST_SHARED_FOLDER_STARTER";
constexpr int entries = 150;

// Large enough that a kill often lands inside a write.
std::string payloadFor(std::int64_t generation) {
    return std::string(256 * 1024, static_cast<char>('a' + generation % 26));
}

// The children: each runs only as a process started by a test below, in the folder it names.
TEST(UserDefaultsChild, WritesUntilKilled) {
    const char* folder = std::getenv(killedWriterVariable);
    if (!folder) GTEST_SKIP() << "runs as the child of UserDefaultsKilledWriter.EveryKillLeavesACompleteFile";
    NSUserDefaults defaults(fs::path(folder) / "defaults.json");
    std::int64_t generation = defaults.objectForKey("state").value_or(json::object()).value("generation", 0);
    for (++generation;; ++generation) {
        // One value, so that every file holds a matching pair.
        defaults.setObject({{"generation", generation}, {"payload", payloadFor(generation)}}, "state");
        defaults.synchronize();
    }
}

// Adds history entries one by one, saving after each; exits with the number of failed saves.
TEST(UserDefaultsChild, SavesEveryEntry) {
    const char* folder = std::getenv(writerVariable);
    if (!folder) GTEST_SKIP() << "runs as a child of UserDefaultsSharedFolder.NoSaveFailsAndNoEntryIsLost";
    NSUserDefaults defaults(fs::path(folder) / "defaults.json");
    json history = json::array();
    int failed = 0;
    for (int i = 0; i < entries; ++i) {
        // Large enough that each save spends a while in its temporary file.
        history.push_back({{"latexString", std::string(4096, 'x')}, {"entry", i}});
        defaults.setObject(history, "Calculations");
        if (!defaults.synchronize()) ++failed;
    }
    std::_Exit(failed);
}

// A short run of the program that opens the defaults and ends.
TEST(UserDefaultsChild, OpensAndEnds) {
    const char* folder = std::getenv(starterVariable);
    if (!folder) GTEST_SKIP() << "runs as a child of UserDefaultsSharedFolder.NoSaveFailsAndNoEntryIsLost";
    NSUserDefaults defaults(fs::path(folder) / "defaults.json");
    std::_Exit(0);
}

TEST(UserDefaultsKilledWriter, EveryKillLeavesACompleteFile) {
    ScratchFolder folder;
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    const fs::path file = folder.path() / "defaults.json";
    auto lastChange = [&] {
        std::error_code ec;
        auto time = fs::last_write_time(file, ec);
        return ec ? fs::file_time_type::min() : time;
    };
    std::int64_t lastGeneration = 0;
    int completedWrites = 0, killedMidWrite = 0;
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        pid_t child = startChildTest("UserDefaultsChild.WritesUntilKilled", killedWriterVariable, folder.path());
        ASSERT_GT(child, 0);
        // Once the child has replaced the file, it is busy writing: kill it somewhere in there.
        auto before = lastChange();
        for (int wait = 0; wait < 5000 && lastChange() == before; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself";

        for (const auto& entry : fs::directory_iterator(folder.path()))
            killedMidWrite += entry.path().filename().string().find(".tmp-") != std::string::npos;
        testing::internal::CaptureStderr();
        NSUserDefaults survivor(file);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        json state = survivor.objectForKey("state").value_or(json::object());
        std::int64_t generation = state.value("generation", 0);
        EXPECT_GE(generation, lastGeneration) << "an older file came back";
        if (generation > 0) {
            EXPECT_TRUE(state.value("payload", "") == payloadFor(generation));
            ++completedWrites;
        }
        lastGeneration = generation;
        for (const auto& entry : fs::directory_iterator(folder.path()))
            EXPECT_EQ(entry.path().filename().string().find("corrupt"), std::string::npos);
    }
    EXPECT_GT(completedWrites, 0) << "no write ever finished: the test proved nothing";
    std::cout << "writer killed in the middle of a write " << killedMidWrite << " times of 25" << std::endl;
}

TEST(UserDefaultsSharedFolder, NoSaveFailsAndNoEntryIsLost) {
    ScratchFolder folder;
    pid_t writer = startChildTest("UserDefaultsChild.SavesEveryEntry", writerVariable, folder.path());
    ASSERT_GT(writer, 0);
    int writerStatus = 0, starters = 0;
    std::vector<pid_t> running;
    // Keep eight starters going until the writer is done.
    while (::waitpid(writer, &writerStatus, WNOHANG) == 0) {
        if (running.size() == 8) {
            ::waitpid(running.front(), nullptr, 0);
            running.erase(running.begin());
        }
        pid_t starter = startChildTest("UserDefaultsChild.OpensAndEnds", starterVariable, folder.path());
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
}

}  // namespace
