#include "platform/foundation/AppDataDirectory.hpp"

#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>

namespace fs = std::filesystem;

namespace foundation {
namespace {

std::mutex directoryMutex;
std::optional<fs::path> chosenDirectory;

fs::path defaultDirectory() {
    if (const char* dir = std::getenv("RADIXEL_DATA_DIR"); dir && *dir) return dir;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "radixel";
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".local" / "share" / "radixel";
    // No home at all (a stripped-down service environment): stay next to the current folder
    // rather than writing to the file-system root.
    return fs::current_path() / ".radixel";
}

}  // namespace

void setAppDataDirectory(const fs::path& directory) {
    std::lock_guard lock(directoryMutex);
    chosenDirectory = directory;
}

fs::path appDataDirectory() {
    fs::path directory;
    {
        std::lock_guard lock(directoryMutex);
        directory = chosenDirectory ? *chosenDirectory : defaultDirectory();
    }
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec) {
        // Every service asks for the folder; saying it once is enough.
        std::lock_guard lock(directoryMutex);
        static std::optional<fs::path> reported;
        if (reported != directory)
            std::cerr << "Cannot create data folder " << directory.string() << ": " << ec.message() << std::endl;
        reported = directory;
    }
    return directory;
}

}  // namespace foundation
