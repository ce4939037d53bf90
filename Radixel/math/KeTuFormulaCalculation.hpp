#pragma once

#include <cstdint>

#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuFormulaCalculation {
public:
    KeTuFormulaCalculation() = default;
    KeTuFormulaCalculation(const KeTuFormulaCalculation&) = delete;
    KeTuFormulaCalculation& operator=(const KeTuFormulaCalculation&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    const int64_t decimalPlaces = 12;
};
