#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "Radixel/math/KeTuInputManager.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

// Solves an equation in x typed as a left and a right term. The terms are taken apart into
// numbers (Digit here, not the framework's ::Digit) and bracketed instances, both by index.
class KeTuFindX {
public:
    struct Digit {
        double value = 0.0;
        std::optional<int64_t> index;
        int64_t mathOperator = 0;
        bool isNegative = false;
        std::optional<int64_t> instanceIndex;
        bool isRight = false;  // on the right side of the equation
        int64_t powerOfVariable = 0;
        bool isDenominator = false;
        std::optional<int64_t> fractionIndex;
    };

    struct Instance {
        int64_t index = 0;
        int64_t level = 0;
        std::optional<int64_t> surroundingInstanceIndex;
        int64_t leftOperation = 0;
        bool isNegative = false;
        std::optional<int64_t> operationInstancePartnerIndex;
        std::optional<int64_t> operationDigitPartnerIndex;
        bool hasRightOperation = false;
        bool isRight = false;
        bool isProcessed = false;
    };

    KeTuFindX() = default;
    KeTuFindX(const KeTuFindX&) = delete;
    KeTuFindX& operator=(const KeTuFindX&) = delete;

    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    KeTuInputManager& inputManager = KeTuInputManager::shared();
    KeTuMathOperation& mathOperation = KeTuMathOperation::shared();
    bool withFraction = false;
    std::map<int64_t, Digit> allDigits;
    int64_t firstDigitIndexForRight = 0;
    std::map<int64_t, Instance> allInstances;
    int64_t firstInstanceIndexForRight = 0;
    std::string inputLeftText;
    std::string inputRightText;
    int64_t inputLeftTag = 0;
    int64_t inputRightTag = 0;
    std::string leftTerm;
    std::string rightTerm;
    std::string lastShownTerm;
    std::optional<float> divisor;
    int64_t fractionIndexCounter = 0;
    std::optional<bool> isDotInDigitAlready;
    bool isOpeningBrackingAppeared = false;
    bool isXAllowed = true;
    bool isPlusOperatorAllowed = false;
    std::optional<int64_t> bracketCounter;
    std::optional<int64_t> operatorCounter;
    bool isError = false;
    bool isFinished = false;
};
