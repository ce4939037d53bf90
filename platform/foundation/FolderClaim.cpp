#include "platform/foundation/FolderClaim.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>

namespace foundation {

FolderClaim claimFolderForProcess(const std::filesystem::path& folder) {
    // The descriptors stay open on purpose: closing one would end its claim.
    static std::mutex mutex;
    static std::map<std::filesystem::path, int> claimed;
    std::lock_guard lock(mutex);
    if (claimed.count(folder)) return FolderClaim::Claimed;

    std::filesystem::path file = folder / "instance.lock";
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return FolderClaim::Unavailable;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? FolderClaim::ClaimedByAnotherProcess : FolderClaim::Unavailable;
    }
    claimed.emplace(folder, fd);
    return FolderClaim::Claimed;
}

}  // namespace foundation
