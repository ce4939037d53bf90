#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "platform/foundation/NSNumberFormatter.hpp"

class KeTuQuickStochastics {
public:
    KeTuQuickStochastics() = default;
    KeTuQuickStochastics(const KeTuQuickStochastics&) = delete;
    KeTuQuickStochastics& operator=(const KeTuQuickStochastics&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    NSNumberFormatter numberFormatter;
    std::map<std::string, std::shared_ptr<Digit>> inputParameters;  // a null term: named, not given
    const int64_t decimalPlaces = 5;
};
