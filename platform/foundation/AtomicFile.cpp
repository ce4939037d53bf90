#include "platform/foundation/AtomicFile.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

}  // namespace

std::string temporaryFilePrefix(const fs::path& file) { return file.filename().string() + ".tmp-"; }

std::optional<std::string> writeFileAtomically(const fs::path& file, std::string_view contents) {
    fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::string pattern = (folder / (temporaryFilePrefix(file) + "XXXXXX")).string();
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
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
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
