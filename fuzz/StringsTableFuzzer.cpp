// Localised strings tables come from resource files: any bytes must end in a table or an error
// with a line number, never in a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/foundation/StringsTable.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto result = foundation::parseStringsTable(std::string_view(reinterpret_cast<const char*>(data), size));
    if (auto* error = std::get_if<foundation::StringsTableError>(&result); error && error->message.empty()) std::abort();
    return 0;
}
