#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "Radixel/math/KeTuStringOutput.hpp"

// The parameters of the analytics event the share action logs: "solutionSteps", the whole step
// list as the screen holds it (a list of dictionaries of texts, step order kept), and
// "solutionStepsCount", its length as an integer. An empty list still gives both, so a share
// that arrives without steps is logged too.
nlohmann::json shareEventParameters(const std::vector<SolutionStep>& solutionSteps);
