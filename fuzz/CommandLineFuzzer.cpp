// The program's options come from whoever starts it: any list of arguments (the input split at
// NUL bytes) must give options or a message, never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/render/HostOptions.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= bytes.size();) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos) end = bytes.size();
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    render::HostOptionsResult result = render::parseHostOptions(arguments);
    if (result.options.has_value() == !result.error.empty()) std::abort();
    if (result.options && (result.options->scale < 0.5 || result.options->scale > 4)) std::abort();
    return 0;
}
