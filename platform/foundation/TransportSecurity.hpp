#pragma once

#include <optional>
#include <string>

// The rule for where data may travel: HTTPS to any host, plain HTTP only to this machine
// (127.0.0.1, localhost, [::1]), which is how the tests serve it. The address is read with the same
// parser that later connects, so a user part ("http://127.0.0.1@elsewhere/") or a look-alike host
// ("http://127.0.0.1.elsewhere/") cannot pass for this machine.
namespace foundation {

// Why url breaks the rule, or none when it may be fetched.
std::optional<std::string> insecureTransportProblem(const std::string& url);

// Whether url names this machine (any scheme); false when it cannot be read.
bool isLoopbackURL(const std::string& url);

}  // namespace foundation
