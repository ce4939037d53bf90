#pragma once

#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/foundation/DefaultsKey.hpp"

// The application's keys in the standard user defaults.
namespace DefaultsKeys {

// The history, newest first, one record dictionary per entry.
inline const DefaultsKey<std::vector<nlohmann::json>> calculations{"Calculations", {}};
// The history entry picked on the history screen; no value when nothing is picked.
inline const DefaultsKey<std::optional<nlohmann::json>> currentSelectedCalculation{"CurrentSelectedCalculation",
                                                                                   std::nullopt};
// Read at start only; an earlier installation may have left a record here.
inline const DefaultsKey<std::optional<nlohmann::json>> currentCalculation{"CurrentCalculation", std::nullopt};

}  // namespace DefaultsKeys
