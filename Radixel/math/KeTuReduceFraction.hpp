#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/foundation/NSNumberFormatter.hpp"

class KeTuReduceFraction {
public:
    KeTuReduceFraction() = default;
    KeTuReduceFraction(const KeTuReduceFraction&) = delete;
    KeTuReduceFraction& operator=(const KeTuReduceFraction&) = delete;

    bool withFraction = false;
    std::optional<double> divisor;
    int64_t maximumFractionDigits = 10;
    std::optional<std::string> inputString;
    std::string inputStringA;
    std::string inputStringB;
    NSNumberFormatter numberFormatter;
    int64_t solutionStepCounter = 0;
};
