// A configuration server's answer is outside input: any body must give values, each kept as a
// text that reads back as JSON unless it was a JSON text itself, or a reason it was refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "platform/didevero/RADEvuvozUziduz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::map<std::string, std::string> values;
    auto problem = RADEvuvozUziduz::decodeResponse(std::string_view(reinterpret_cast<const char*>(data), size), values);
    if (problem && problem->empty()) std::abort();
    return 0;
}
