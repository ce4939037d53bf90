#include "platform/uikit/FatalError.hpp"

#include <cstdio>
#include <cstdlib>

namespace uikit {

void fatalError(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "Fatal error: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace uikit
