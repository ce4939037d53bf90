#include <fstream>

#include <gtest/gtest.h>

#include "platform/didevero/RADEvuvozUziduz.hpp"
#include "platform/foundation/ProcessLifetime.hpp"
#include "support/ScratchFolder.hpp"

namespace {

void storeActivatedValue(const ScratchFolder& folder, const std::string& key, const std::string& value)
{
    std::ofstream(folder.path() / RADEvuvozUziduz::storageFileName) << R"({"activatedValues":{")" << key << R"(":")" << value << R"("}})";
}

} // namespace

// A restart made with another data folder must read that folder's stored values, not keep the
// client (and the file) of the process before.
TEST(RemoteConfigClient, IsMadeAnewAfterARestartWithTheNewDataFolder)
{
    ScratchFolder first;
    ScratchFolder second;
    storeActivatedValue(first, "banner", "old");
    storeActivatedValue(second, "banner", "new");

    first.useAsAppDataDirectory();
    ProcessLifetime::resetAll();
    auto before = RADEvuvozUziduz::remoteConfig();
    EXPECT_EQ(before, RADEvuvozUziduz::remoteConfig());
    EXPECT_EQ(before->configValueForKey("banner").stringValue(), "old");

    second.useAsAppDataDirectory();
    ProcessLifetime::resetAll();
    auto after = RADEvuvozUziduz::remoteConfig();
    EXPECT_NE(before, after);
    EXPECT_EQ(after->configValueForKey("banner").stringValue(), "new");
    ProcessLifetime::resetAll();
}
