// The history lives in the user defaults, which a user or another version may have written: any
// JSON value under the history keys must load into records that save and load back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/Calculation.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "platform/foundation/NSJSONSerialization.hpp"

namespace {

// Defaults that live in memory only: their folder cannot be made, so nothing reaches the disk.
std::shared_ptr<NSUserDefaults> memoryDefaults() {
    static auto defaults = std::make_shared<NSUserDefaults>("/proc/radixel-fuzz/defaults.json");
    return defaults;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto value = NSJSONSerialization::JSONObjectWithData(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!value) return 0;
    Calculation single = Calculation::initFromDictionary(*value);
    if (!(Calculation::initFromDictionary(CalcManager::dictionary(single)) == single)) std::abort();

    auto defaults = memoryDefaults();
    const nlohmann::json previous = defaults->dictionaryRepresentation();
    for (const auto& [key, stored] : previous.items()) defaults->removeObjectForKey(key);
    for (const std::string& key : {DefaultsKeys::calculations.name(), DefaultsKeys::currentCalculation.name(),
                                   DefaultsKeys::currentSelectedCalculation.name()})
        defaults->setObject(*value, key);
    CalcManager manager(defaults);
    CalcManager reloaded(defaults);
    if (reloaded.calculations.size() != manager.calculations.size()) std::abort();
    return 0;
}
