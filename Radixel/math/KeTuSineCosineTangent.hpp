#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuSineCosineTangent {
public:
    KeTuSineCosineTangent() = default;
    KeTuSineCosineTangent(const KeTuSineCosineTangent&) = delete;
    KeTuSineCosineTangent& operator=(const KeTuSineCosineTangent&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    std::shared_ptr<Digit> a = newDigit();
    std::shared_ptr<Digit> b = newDigit();
    std::shared_ptr<Digit> k = newDigit();
    std::shared_ptr<Digit> x = newDigit();
    std::optional<std::vector<std::shared_ptr<Digit>>> allInputs;
};
