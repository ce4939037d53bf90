// The defaults file when the system gets in the way: what the program cannot read or set aside it
// never overwrites, and a writer killed at any moment leaves a complete file.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <thread>

#include "platform/foundation/AtomicFile.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "support/ChildTestProcess.hpp"
#include "support/ScratchFolder.hpp"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const std::string history = R"({"Calculations": [{"latexString": "p = 2, q = 1"}], "isDsgvoAccepted": true})";

std::string contentsOf(const fs::path& file) { return foundation::readFileContents(file).value_or(""); }

class UserDefaultsFileFailures : public ::testing::Test {
protected:
    // Opens the defaults while reads fail (from block to unblock), then changes a value: one line
    // is printed, the change is not reported as saved, and the file is exactly what it was.
    void expectUnreadableFileKept(const std::function<void()>& block, const std::function<void()>& unblock) {
        const std::string before = contentsOf(file);
        testing::internal::CaptureStderr();
        block();
        auto defaults = std::make_unique<NSUserDefaults>(file);
        unblock();
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
        EXPECT_NE(printed.find("cannot be read"), std::string::npos) << printed;
        EXPECT_TRUE(defaults->dictionaryRepresentation().empty());

        testing::internal::CaptureStderr();
        defaults->setBool(true, "isRatingAlreadyDone");
        EXPECT_TRUE(defaults->boolForKey("isRatingAlreadyDone"));  // served from memory
        EXPECT_FALSE(defaults->synchronize());
        defaults.reset();
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(contentsOf(file), before);  // neither replaced nor set aside
    }

    ScratchFolder folder;
    const fs::path file = folder.path() / "defaults.json";
};

TEST_F(UserDefaultsFileFailures, AFileThatCannotBeOpenedForLackOfDescriptorsIsKeptByteForByte) {
#ifdef __SANITIZE_ADDRESS__
    // The sanitizers' own checks open pipes and files and report false faults without descriptors;
    // the normal build runs this case, the folder case below stands in for it here.
    GTEST_SKIP() << "needs descriptors the sanitizers take for themselves";
#endif
    std::ofstream(file) << history;
    rlimit saved{};
    std::vector<int> held;
    expectUnreadableFileKept(
        [&] {  // the limit lowered to what is open now, and the rest taken
            ::getrlimit(RLIMIT_NOFILE, &saved);
            rlimit lowered{256, saved.rlim_max};
            ::setrlimit(RLIMIT_NOFILE, &lowered);
            for (int fd; (fd = ::dup(STDIN_FILENO)) >= 0;) held.push_back(fd);
            ASSERT_EQ(errno, EMFILE);
        },
        [&] {
            for (int fd : held) ::close(fd);
            ::setrlimit(RLIMIT_NOFILE, &saved);
        });
    // Once descriptors are back, the next run reads the whole history.
    EXPECT_TRUE(NSUserDefaults(file).boolForKey("isDsgvoAccepted"));
}

TEST_F(UserDefaultsFileFailures, AFolderInThePlaceOfTheFileIsLeftAlone) {
    fs::create_directory(file);
    std::ofstream(file / "inside") << history;
    expectUnreadableFileKept([] {}, [] {});
    EXPECT_EQ(contentsOf(file / "inside"), history);
}

TEST_F(UserDefaultsFileFailures, ACorruptFileThatCannotBeSetAsideIsNeverOverwritten) {
    // 234 characters: a temporary file's name ("<name>.tmp-<pid>-XXXXXX") still fits in the
    // system's 255, the set-aside name ("<name>.corrupt-<date>-<time>") does not, so only the
    // rename fails and a write would succeed.
    const fs::path longFile = folder.path() / (std::string(229, 'd') + ".json");
    const std::string broken = "{\"Calculations\": [{\"latexString\": ";
    std::ofstream(longFile) << broken;
    testing::internal::CaptureStderr();
    {
        NSUserDefaults defaults(longFile);
        defaults.setBool(true, "isDsgvoAccepted");
        EXPECT_FALSE(defaults.synchronize());
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be set aside"), std::string::npos);
    EXPECT_EQ(contentsOf(longFile), broken);
}

TEST_F(UserDefaultsFileFailures, AFailedWriteIsReportedUntilAWriteSucceeds) {
    const fs::path blocker = folder.path() / "data";
    std::ofstream(blocker) << "a file where the data folder should be";
    NSUserDefaults defaults(blocker / "defaults.json");
    testing::internal::CaptureStderr();
    defaults.setInteger(3, "counterForRating");
    EXPECT_FALSE(defaults.synchronize());
    EXPECT_FALSE(defaults.synchronize()) << "nothing new to write, but the change is still not saved";
    const std::string printed = testing::internal::GetCapturedStderr(), line = "User defaults not saved";
    EXPECT_EQ(printed.find(line), printed.rfind(line)) << "told once for failures in a row:\n" << printed;
    EXPECT_NE(printed.find(line), std::string::npos);
    EXPECT_EQ(defaults.integerForKey("counterForRating"), 3);  // still served from memory

    fs::remove(blocker);
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(NSUserDefaults(blocker / "defaults.json").integerForKey("counterForRating"), 3);
}

TEST_F(UserDefaultsFileFailures, OnlyTemporaryFilesNoLiveProcessOwnsAreRemoved) {
    const pid_t ended = ::fork();  // the pid of a process that has already ended
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const std::string prefix = foundation::temporaryFilePrefix(file), own = std::to_string(::getpid());
    auto make = [&](const std::string& name, bool old) {
        std::ofstream(folder.path() / name) << "{\"half";
        if (old) fs::last_write_time(folder.path() / name, fs::file_time_type::clock::now() - std::chrono::hours(2));
    };
    make(prefix + own + "-a1B2c3", false);                               // this process may be writing it
    make(prefix + std::to_string(ended) + "-d4E5f6", false);             // its writer is gone
    make(prefix + own + "-g7H8i9", true);                                // the pid now belongs to another
    make(prefix + "j1K2l3", false);                                      // an older writer, maybe still busy
    make(prefix + "m4N5o6", true);                                       // an older writer, long gone
    make(prefix + "notes.txt", true);                                    // not a name a writer makes
    make("other.json.tmp-" + std::to_string(ended) + "-p7Q8r9", false);  // another file's

    foundation::removeTemporaryFiles(file);

    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.path())) left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{prefix + own + "-a1B2c3", prefix + "j1K2l3", prefix + "notes.txt",
                                           "other.json.tmp-" + std::to_string(ended) + "-p7Q8r9"}));
}

constexpr const char* childFolder = "RADIXEL_TEST_DEFAULTS_WRITER_FOLDER";

// Large enough that a kill often lands inside a write.
std::string payloadFor(std::int64_t generation) {
    return std::string(256 * 1024, static_cast<char>('a' + generation % 26));
}

// Runs only as the child that the test below starts, in the folder it names.
TEST(UserDefaultsChild, WritesUntilKilled) {
    const char* folder = std::getenv(childFolder);
    if (!folder) GTEST_SKIP() << "runs as the child of the killed-writer test below";
    NSUserDefaults defaults(fs::path(folder) / "defaults.json");
    std::int64_t generation = defaults.objectForKey("state").value_or(json::object()).value("generation", 0);
    for (++generation;; ++generation) {
        // One value, so that every file holds a matching pair.
        defaults.setObject({{"generation", generation}, {"payload", payloadFor(generation)}}, "state");
        defaults.synchronize();
    }
}

TEST_F(UserDefaultsFileFailures, AWriterKilledAtAnyMomentLeavesACompleteFile) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    // The file is only ever replaced by a rename, so once there it stays there.
    auto lastChange = [&] { return fs::exists(file) ? fs::last_write_time(file) : fs::file_time_type::min(); };
    std::int64_t lastGeneration = 0;
    int completedWrites = 0;
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        pid_t child = startChildTest("UserDefaultsChild.WritesUntilKilled", childFolder, folder.path());
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

        testing::internal::CaptureStderr();
        NSUserDefaults survivor(file);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the file was not complete";
        json state = survivor.objectForKey("state").value_or(json::object());
        std::int64_t generation = state.value("generation", 0);
        EXPECT_GE(generation, lastGeneration) << "an older file came back";
        if (generation > 0) {
            EXPECT_TRUE(state.value("payload", "") == payloadFor(generation));
            ++completedWrites;
        }
        lastGeneration = generation;
        // The writer's name for its temporary file says it is gone, so opening the file removed it.
        for (const auto& entry : fs::directory_iterator(folder.path()))
            EXPECT_EQ(entry.path().filename(), "defaults.json");
    }
    EXPECT_GT(completedWrites, 0) << "no write ever finished: the test proved nothing";
}

}  // namespace
