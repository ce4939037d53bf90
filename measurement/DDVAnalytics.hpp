#pragma once

#include <string>

#include <nlohmann/json.hpp>

// The public analytics interface. Events of the application ("app" origin) pass to the
// measurement engine once the hosting app is configured (DDVApp::configure); before that they are
// dropped with a warning. The call returns at once and reports nothing to the caller.
class DDVAnalytics {
public:
    // parameters: a dictionary of texts, numbers and lists of dictionaries, or null for none.
    // Values that have no platform counterpart (null, binary data) are reported with warning
    // 25040; the event still passes and the engine drops those values.
    static void logEventWithName(const std::string& name, const nlohmann::json& parameters = nullptr);
};
