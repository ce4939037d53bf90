#pragma once

#include <functional>
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

    // For tests: sees every call as made, on the calling thread, before any check (so also
    // events that are dropped or that the engine refuses). One observer at a time; an empty
    // function removes it.
    using CallObserver = std::function<void(const std::string& name, const nlohmann::json& parameters)>;
    static void setCallObserverForTesting(CallObserver observer);
};
