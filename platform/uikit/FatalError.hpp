#pragma once

#include <string>

namespace uikit {

// Stops the process with the message on standard error, as the platform does for a programming
// error it cannot recover from (a missing storyboard scene, a scene of the wrong class).
[[noreturn]] void fatalError(const std::string& message);

} // namespace uikit
