#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuInputManager.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuRuleOfProportion {
public:
    KeTuRuleOfProportion() = default;
    KeTuRuleOfProportion(const KeTuRuleOfProportion&) = delete;
    KeTuRuleOfProportion& operator=(const KeTuRuleOfProportion&) = delete;

    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    KeTuInputManager& inputManager = KeTuInputManager::shared();
    KeTuMathOperation& mathOperation = KeTuMathOperation::shared();
    bool withFraction = false;
    std::shared_ptr<Digit> a = newDigit();
    std::shared_ptr<Digit> b = newDigit();
    std::shared_ptr<Digit> c = newDigit();
    std::shared_ptr<Digit> d = newDigit();
    std::string inputAText;
    std::string inputBText;
    std::string inputCText;
    std::string inputDText;
    int64_t inputATag = 0;
    int64_t inputBTag = 0;
    int64_t inputCTag = 0;
    int64_t inputDTag = 0;
    int64_t missingInput = 0;
};
