// The defaults file when the system gets in the way: a file that cannot be read must survive
// byte for byte, a file that cannot be set aside must not be overwritten, and a write that
// failed must never be reported as saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "support/ScratchFolder.hpp"
#include "platform/foundation/NSUserDefaults.hpp"

namespace fs = std::filesystem;

namespace {

const std::string history = R"({"Calculations": [{"latexString": "p = 2, q = 1"}], "isDsgvoAccepted": true})";

std::string contentsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Lowers the descriptor limit to what is open now and fills the rest, until destroyed.
class ExhaustedFileDescriptors {
public:
    ExhaustedFileDescriptors() {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = 256;
        ::setrlimit(RLIMIT_NOFILE, &lowered);
        for (int fd; (fd = ::dup(STDIN_FILENO)) >= 0;) held_.push_back(fd);
    }
    ~ExhaustedFileDescriptors() {
        for (int fd : held_) ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &saved_);
    }
    bool exhausted() const { return ::dup(STDIN_FILENO) < 0 && errno == EMFILE; }

private:
    rlimit saved_{};
    std::vector<int> held_;
};

// Opens the defaults on file while reads are blocked, then changes a value: one line is printed,
// the change is not reported as saved, and the file is exactly what it was before.
void expectUnreadableFileKept(const fs::path& file, const std::string& before, const std::function<void()>& blockReads,
                              const std::function<void()>& unblockReads) {
    testing::internal::CaptureStderr();
    std::unique_ptr<NSUserDefaults> defaults;
    blockReads();
    defaults = std::make_unique<NSUserDefaults>(file);
    unblockReads();
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
    if (fs::is_regular_file(file)) {
        EXPECT_EQ(contentsOf(file), before);
    }
    for (const auto& entry : fs::directory_iterator(file.parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".corrupt-"), std::string::npos) << entry.path();
}

TEST(UserDefaultsFileFailures, AFileThatCannotBeOpenedForLackOfDescriptorsIsKeptByteForByte) {
#ifdef __SANITIZE_ADDRESS__
    // The sanitizers' own checks open pipes and files and report false faults without descriptors;
    // the normal build runs this case, the folder case below stands in for it here.
    GTEST_SKIP() << "needs descriptors the sanitizers take for themselves";
#endif
    ScratchFolder folder;
    fs::path file = folder.path() / "defaults.json";
    std::ofstream(file) << history;
    std::unique_ptr<ExhaustedFileDescriptors> exhausted;
    expectUnreadableFileKept(
        file, history,
        [&] {
            exhausted = std::make_unique<ExhaustedFileDescriptors>();
            ASSERT_TRUE(exhausted->exhausted());
        },
        [&] { exhausted.reset(); });
    // Once descriptors are back, the next run reads the whole history.
    EXPECT_TRUE(NSUserDefaults(file).boolForKey("isDsgvoAccepted"));
}

TEST(UserDefaultsFileFailures, AFolderInThePlaceOfTheFileIsLeftAlone) {
    ScratchFolder folder;
    fs::path file = folder.path() / "defaults.json";
    fs::create_directory(file);
    std::ofstream(file / "inside") << history;
    expectUnreadableFileKept(file, "", [] {}, [] {});
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(contentsOf(file / "inside"), history);
}

TEST(UserDefaultsFileFailures, AFileWithoutReadPermissionIsKeptByteForByte) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file; the descriptor and folder cases cover root";
    ScratchFolder folder;
    fs::path file = folder.path() / "defaults.json";
    std::ofstream(file) << history;
    fs::permissions(file, fs::perms::none);
    expectUnreadableFileKept(file, history, [] {}, [] {});
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(contentsOf(file), history);
}

TEST(UserDefaultsFileFailures, ACorruptFileThatCannotBeSetAsideIsNeverOverwritten) {
    ScratchFolder folder;
    // 234 characters: a temporary file's name ("<name>.tmp-<pid>-XXXXXX") still fits in the
    // system's 255, the set-aside name ("<name>.corrupt-<date>-<time>") does not, so only the
    // rename fails and a write would succeed.
    fs::path file = folder.path() / (std::string(229, 'd') + ".json");
    const std::string broken = "{\"Calculations\": [{\"latexString\": ";
    std::ofstream(file) << broken;
    testing::internal::CaptureStderr();
    {
        NSUserDefaults defaults(file);
        defaults.setBool(true, "isDsgvoAccepted");
        EXPECT_FALSE(defaults.synchronize());
    }
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("could not be set aside"), std::string::npos) << printed;
    EXPECT_EQ(contentsOf(file), broken);
}

TEST(UserDefaultsFileFailures, AFailedWriteIsReportedUntilAWriteSucceeds) {
    ScratchFolder folder;
    fs::path blocker = folder.path() / "data";
    std::ofstream(blocker) << "a file where the data folder should be";
    NSUserDefaults defaults(blocker / "defaults.json");
    testing::internal::CaptureStderr();
    defaults.setInteger(3, "counterForRating");
    EXPECT_FALSE(defaults.synchronize());
    EXPECT_FALSE(defaults.synchronize()) << "nothing new to write, but the change is still not saved";
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("User defaults not saved"), std::string::npos);
    EXPECT_EQ(defaults.integerForKey("counterForRating"), 3);  // still served from memory

    fs::remove(blocker);
    EXPECT_TRUE(defaults.synchronize());
    EXPECT_EQ(NSUserDefaults(blocker / "defaults.json").integerForKey("counterForRating"), 3);
}

}  // namespace
