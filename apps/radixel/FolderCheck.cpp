#include "apps/radixel/FolderCheck.hpp"

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "platform/foundation/AppDataDirectory.hpp"
#include "platform/foundation/NSBundle.hpp"

void reportUnusableFolders()
{
    std::error_code ec;
    const auto& resources = NSBundle::mainBundle().resourcePath();
    if (!std::filesystem::is_directory(resources, ec)) {
        std::cerr << "radixel: no resource folder at " << resources.string()
                  << " (set RADIXEL_RESOURCES): texts and pictures will be missing" << std::endl;
    }
    // A folder that cannot be made is reported where it is made; one that exists may still be
    // closed to writing.
    auto data = foundation::appDataDirectory();
    if (std::filesystem::is_directory(data, ec) && ::access(data.c_str(), W_OK | X_OK) != 0) {
        std::cerr << "radixel: the data folder " << data.string()
                  << " cannot be written (set RADIXEL_DATA_DIR): history and settings will not be kept" << std::endl;
    }
}
