#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuInputManager.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuPercentageCalculator {
public:
    KeTuPercentageCalculator() = default;
    KeTuPercentageCalculator(const KeTuPercentageCalculator&) = delete;
    KeTuPercentageCalculator& operator=(const KeTuPercentageCalculator&) = delete;

    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    KeTuInputManager& inputManager = KeTuInputManager::shared();
    KeTuMathOperation& mathOperation = KeTuMathOperation::shared();
    bool withFraction = false;
    std::string inputFormat;
    int64_t missingInput = 0;
    std::shared_ptr<Digit> a = newDigit();
    std::shared_ptr<Digit> b = newDigit();
    std::shared_ptr<Digit> c = newDigit();
    std::shared_ptr<Digit> d = newDigit();
    std::string inputAText;
    std::string inputBText;
    std::string inputCText;
    int64_t inputATag = 0;
    int64_t inputBTag = 0;
    int64_t inputCTag = 0;
};
