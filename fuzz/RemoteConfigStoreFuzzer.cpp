// The remote-configuration client's stored values are read back from a file at start: any bytes
// must give the stored values or none, never crash.
#include <cstddef>
#include <cstdint>

#include "FuzzScratchFolder.hpp"
#include "platform/didevero/RADEvuvozUziduz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::filesystem::path file = writeFuzzFile(RADEvuvozUziduz::storageFileName, data, size);
    {
        RADEvuvozUziduz client(RADEvuvozUziduz::Configuration{"", file});
        for (const char* key : {"apps", "ads", "offers", "umpReferenceData", "videoTutorials"})
            (void)client.configValueForKey(key).dataValue();
    }
    emptyFuzzScratchFolder();
    return 0;
}
