#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/FormatMode.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"
#include "Radixel/math/Symbol.hpp"

// Collects the typed inputs of the formula-driven calculators (their texts, field ids,
// placeholders and the symbols they stand for) for the calculators that share it.
class KeTuInputManager {
public:
    KeTuInputManager() = default;
    KeTuInputManager(const KeTuInputManager&) = delete;
    KeTuInputManager& operator=(const KeTuInputManager&) = delete;

    // The one input manager of the process, made on the first request.
    static KeTuInputManager& shared();

    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    std::vector<std::string> stringInputs;
    bool isTagUsed = false;
    std::vector<std::string> allTextFieldIds;
    std::vector<std::shared_ptr<Digit>> allInputs;
    std::vector<std::string> allTextFieldPlaceholder;
    std::vector<std::string> inputFormat;
    std::vector<Symbol> inputSymbols;
    std::vector<std::string> allTextFieldTexts;
    std::string subcategory;
    std::string topic;
    FormatMode inputFormatMode = FormatMode::formula;
    bool isAllFractionIfOccuredOnce = true;
    bool isDecimalEliminationForced = false;
    bool isWithFraction = false;
    bool isAnyNumberChanged = false;
    const std::shared_ptr<Digit> digit = newDigit();
};
