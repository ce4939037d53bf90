#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "platform/foundation/NSNumberFormatter.hpp"

class KeTuSimpleFractionCalculator {
public:
    KeTuSimpleFractionCalculator() = default;
    KeTuSimpleFractionCalculator(const KeTuSimpleFractionCalculator&) = delete;
    KeTuSimpleFractionCalculator& operator=(const KeTuSimpleFractionCalculator&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    std::string inputStringA;
    std::string inputStringB;
    std::string inputStringC;
    std::string inputStringD;
    NSNumberFormatter numberFormatter;
    int64_t solutionStepCounter = 0;
    bool withFraction = false;
    std::shared_ptr<Digit> a = newDigit();
    std::shared_ptr<Digit> b = newDigit();
    std::shared_ptr<Digit> c = newDigit();
    std::shared_ptr<Digit> d = newDigit();
    std::shared_ptr<Digit> ab = newDigit();
    std::shared_ptr<Digit> cd = newDigit();
};
