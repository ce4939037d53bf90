#include "platform/foundation/AtomicFile.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace foundation {
namespace {

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool writeAll(int fd, std::string_view contents) {
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// The rename is only durable once the folder's entry is on the disk as well.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Whether the temporary file whose name ends in suffix ("<pid>-XXXXXX", or "XXXXXX" from before
// names carried a pid) can no longer be renamed by anyone. Its owner is gone when no process has
// its pid; a file untouched for an hour is abandoned whoever has the pid now, since a write takes
// seconds at most.
bool isAbandonedTemporaryFile(const fs::path& path, const std::string& suffix) {
    constexpr auto abandonedAfter = std::chrono::hours(1);
    std::size_t dash = suffix.find('-');
    bool withOwner = dash != std::string::npos && dash > 0 && suffix.size() == dash + 7 &&
                     std::all_of(suffix.begin(), suffix.begin() + static_cast<long>(dash),
                                 [](unsigned char c) { return std::isdigit(c) != 0; });
    if (!withOwner && suffix.size() != 6) return false;  // not a name writeFileAtomically makes
    if (withOwner) {
        errno = 0;
        long owner = std::strtol(suffix.c_str(), nullptr, 10);
        if (owner > 0 && errno == 0 && owner <= std::numeric_limits<pid_t>::max() &&
            ::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH)
            return true;
    }
    std::error_code ec;
    auto modified = fs::last_write_time(path, ec);
    return !ec && fs::file_time_type::clock::now() - modified > abandonedAfter;
}

}  // namespace

std::string temporaryFilePrefix(const fs::path& file) { return file.filename().string() + ".tmp-"; }

std::optional<std::string> writeFileAtomically(const fs::path& file, std::string_view contents) {
    fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    // The writer's pid in the name tells other processes on the same folder that it is still busy.
    std::string pattern =
        (folder / (temporaryFilePrefix(file) + std::to_string(::getpid()) + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return systemError("cannot create a temporary file in " + folder.string());
    std::string temporary(name.data());

    std::optional<std::string> failure;
    if (!writeAll(fd, contents))
        failure = systemError("cannot write " + temporary);
    else if (::fsync(fd) != 0)
        failure = systemError("cannot flush " + temporary);
    if (::close(fd) != 0 && !failure) failure = systemError("cannot close " + temporary);
    if (!failure && ::rename(temporary.c_str(), file.c_str()) != 0)
        failure = systemError("cannot rename " + temporary + " to " + file.string());
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    syncFolder(folder);
    return std::nullopt;
}

void removeTemporaryFiles(const fs::path& file) {
    fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::string prefix = temporaryFilePrefix(file);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        if (isAbandonedTemporaryFile(it->path(), name.substr(prefix.size()))) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

std::optional<std::string> readFileContents(const fs::path& file, std::string* error) {
    std::FILE* in = std::fopen(file.c_str(), "rbe");
    if (!in) {
        if (error) *error = systemError("cannot open " + file.string());
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) contents.append(buffer, count);
    bool failed = std::ferror(in) != 0;
    if (failed && error) *error = systemError("cannot read " + file.string());
    std::fclose(in);
    if (failed) return std::nullopt;
    return contents;
}

}  // namespace foundation
