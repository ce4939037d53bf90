// A child process rewrites the defaults as fast as it can and is killed with SIGKILL at a random
// moment, again and again; every time, the file left behind must be a complete one.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/ChildTestProcess.hpp"
#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSUserDefaults.hpp"

namespace {

constexpr const char* childFolderVariable = "RADIXEL_TEST_DEFAULTS_WRITER";

// Large enough that a kill often lands inside a write.
std::string payloadFor(std::int64_t generation) { return std::string(256 * 1024, static_cast<char>('a' + generation % 26)); }

// Runs only inside the child process started below.
TEST(UserDefaultsKilledWriter, WritesUntilKilled) {
    const char* folder = std::getenv(childFolderVariable);
    if (!folder) GTEST_SKIP() << "runs as the child of UserDefaultsKilledWriter.EveryKillLeavesACompleteFile";
    NSUserDefaults defaults(std::filesystem::path(folder) / "defaults.json");
    std::int64_t generation = defaults.objectForKey("state").value_or(nlohmann::json::object()).value("generation", 0);
    for (++generation;; ++generation) {
        // One value, so that every file holds a matching pair.
        defaults.setObject({{"generation", generation}, {"payload", payloadFor(generation)}}, "state");
        defaults.synchronize();
    }
}

TEST(UserDefaultsKilledWriter, EveryKillLeavesACompleteFile) {
    ScratchFolder folder;
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    std::filesystem::path file = folder.path() / "defaults.json";
    auto lastChange = [&] {
        std::error_code ec;
        auto time = std::filesystem::last_write_time(file, ec);
        return ec ? std::filesystem::file_time_type::min() : time;
    };
    std::int64_t lastGeneration = 0;
    int completedWrites = 0;
    int killedMidWrite = 0;
    for (int round = 0; round < 25; ++round) {
        pid_t child = startChildTest("UserDefaultsKilledWriter.WritesUntilKilled", childFolderVariable, folder.path());
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

        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename().string().find(".tmp-") != std::string::npos) ++killedMidWrite;
        testing::internal::CaptureStderr();
        NSUserDefaults survivor(folder.path() / "defaults.json");
        std::string complaints = testing::internal::GetCapturedStderr();
        EXPECT_EQ(complaints, "") << "round " << round;
        nlohmann::json state = survivor.objectForKey("state").value_or(nlohmann::json::object());
        std::int64_t generation = state.value("generation", 0);
        EXPECT_GE(generation, lastGeneration) << "an older file came back";
        if (generation > 0) {
            EXPECT_TRUE(state.value("payload", "") == payloadFor(generation)) << "round " << round;
            ++completedWrites;
        }
        lastGeneration = generation;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            EXPECT_EQ(entry.path().filename().string().find("corrupt"), std::string::npos);
    }
    EXPECT_GT(completedWrites, 0) << "no write ever finished: the test proved nothing";
    std::cout << "writer killed in the middle of a write " << killedMidWrite << " times of 25" << std::endl;
}

}  // namespace
