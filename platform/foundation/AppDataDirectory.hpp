#pragma once

#include <filesystem>

// The folder where the application keeps what it writes (user defaults, analytics, remote
// configuration). Chosen, in this order, by setAppDataDirectory, the environment variable
// RADIXEL_DATA_DIR, $XDG_DATA_HOME/radixel and ~/.local/share/radixel.
namespace foundation {

// Overrides the folder for the rest of the process; the program's command-line option comes here.
// Services that already opened their files keep them.
void setAppDataDirectory(const std::filesystem::path& directory);

// The folder, created with its parents when missing. Safe to call from any thread.
std::filesystem::path appDataDirectory();

}  // namespace foundation
