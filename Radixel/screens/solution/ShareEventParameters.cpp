#include "Radixel/screens/solution/ShareEventParameters.hpp"

#include <cstdint>

nlohmann::json shareEventParameters(const std::vector<SolutionStep>& solutionSteps) {
    return {{"solutionSteps", solutionSteps}, {"solutionStepsCount", static_cast<int64_t>(solutionSteps.size())}};
}
