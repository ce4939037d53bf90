// The user defaults file is outside input (another version, a user's editor, a damaged disk):
// any bytes must load as values or be set aside, never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzScratchFolder.hpp"
#include "platform/foundation/NSUserDefaults.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::filesystem::path file = writeFuzzFile("defaults.json", data, size);
    {
        NSUserDefaults defaults(file);
        nlohmann::json all = defaults.dictionaryRepresentation();
        if (!all.is_object()) std::abort();
        for (const auto& [key, value] : all.items()) {
            (void)defaults.boolForKey(key);
            (void)defaults.integerForKey(key);
            (void)defaults.doubleForKey(key);
        }
    }
    emptyFuzzScratchFolder();
    return 0;
}
