#pragma once

#include <string>

#include <nlohmann/json.hpp>

// One analytics event as the engine keeps it: where it came from ("app" for the application's
// own events), its name, when it was logged (seconds since 1970) and its parameters (an object).
struct APMEvent {
    std::string origin;
    std::string name;
    double timestamp = 0;
    nlohmann::json parameters = nlohmann::json::object();
};
