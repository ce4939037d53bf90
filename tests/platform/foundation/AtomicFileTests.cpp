#include <gtest/gtest.h>

#include <fstream>
#include <spawn.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ScratchFolder.hpp"
#include "platform/foundation/AtomicFile.hpp"

namespace fs = std::filesystem;

extern char** environ;

namespace {

// The pid of a process that has already ended.
pid_t pidOfAnEndedProcess() {
    char program[] = "/bin/true";
    char* arguments[] = {program, nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, arguments, environ) != 0) return -1;
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(AtomicFileLeftovers, OnlyTemporaryFilesNoLiveProcessOwnsAreRemoved) {
    ScratchFolder folder;
    fs::path file = folder.path() / "defaults.json";
    const std::string prefix = foundation::temporaryFilePrefix(file);
    pid_t ended = pidOfAnEndedProcess();
    ASSERT_GT(ended, 0);
    auto make = [&](const std::string& name, bool old) {
        std::ofstream(folder.path() / name) << "{\"half";
        if (old) fs::last_write_time(folder.path() / name, fs::file_time_type::clock::now() - std::chrono::hours(2));
    };
    const std::string ours = prefix + std::to_string(::getpid()) + "-a1B2c3";
    make(ours, false);                                              // this process may be writing it
    make(prefix + std::to_string(ended) + "-d4E5f6", false);        // its writer is gone
    make(prefix + std::to_string(::getpid()) + "-g7H8i9", true);    // the pid now belongs to another
    make(prefix + "j1K2l3", false);                                  // an older writer, maybe still busy
    make(prefix + "m4N5o6", true);                                   // an older writer, long gone
    make(prefix + "notes.txt", true);                                // not a name a writer makes
    make("remote-config.json.tmp-" + std::to_string(ended) + "-p7Q8r9", false);  // another file's

    foundation::removeTemporaryFiles(file);

    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.path())) left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{ours, prefix + "j1K2l3", prefix + "notes.txt",
                                           "remote-config.json.tmp-" + std::to_string(ended) + "-p7Q8r9"}));
}

}  // namespace
