#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuBinomialFormula {
public:
    KeTuBinomialFormula() = default;
    KeTuBinomialFormula(const KeTuBinomialFormula&) = delete;
    KeTuBinomialFormula& operator=(const KeTuBinomialFormula&) = delete;

    std::shared_ptr<Digit> a = newDigit();
    std::shared_ptr<Digit> b = newDigit();
    std::shared_ptr<Digit> aHistory = newDigit();
    std::shared_ptr<Digit> bHistory = newDigit();
    std::string inputAText;
    std::string inputBText;
    int64_t inputATag = 0;
    int64_t inputBTag = 0;
    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    bool withFraction = false;
    std::optional<float> divisor;
    bool isAnyNumberChanged = false;
    bool cancelDownDone = false;
    std::vector<SolutionStep> solutionSteps;
    std::optional<int64_t> solutionStepCounter;
    int64_t choosenFormula = 0;
};
