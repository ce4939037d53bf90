#include "apps/radixel/FolderCheck.hpp"

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "platform/foundation/AppDataDirectory.hpp"
#include "platform/foundation/FolderClaim.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/render/MessageWindow.hpp"

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

bool claimDataFolder()
{
    auto data = foundation::appDataDirectory();
    if (foundation::claimFolderForProcess(data) != foundation::FolderClaim::ClaimedByAnotherProcess) {
        return true;
    }
    std::string text = NSLocalizedString("dataFolderInUse", "a second start on a data folder that an open window uses") + "\n\n" +
                       NSLocalizedString("dataFolder", "label before the data folder's path") + " " + data.string();
    std::cerr << "radixel: " << text << std::endl;
    render::showMessageWindow("Radixel", text);
    return false;
}
