#pragma once

#include <filesystem>

namespace foundation {

enum class FolderClaim {
    Claimed,                  // this process has the folder to itself until it ends
    ClaimedByAnotherProcess,  // a running process has it
    Unavailable,              // the claim could not be tried (a folder that cannot be written)
};

// Claims the folder for the rest of this process: an exclusive lock on a file in it
// ("instance.lock"). The kernel drops the lock when the process ends, however it ends (a crash,
// kill -9), so no stale claim can block a later start; programs this one starts do not inherit
// it. Claiming a folder this process already claimed answers Claimed again.
FolderClaim claimFolderForProcess(const std::filesystem::path& folder);

}  // namespace foundation
