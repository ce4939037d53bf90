// Property lists (XML or binary) come from resource files: any bytes must give a value or an
// error, and a value must be writable as JSON.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/foundation/NSPropertyListSerialization.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NSError error;
    auto value = NSPropertyListSerialization::propertyListWithData(
        std::string_view(reinterpret_cast<const char*>(data), size), &error);
    if (value)
        (void)value->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    else if (error.localizedDescription.empty())
        std::abort();
    return 0;
}
