#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

// The power, logarithm, growth and binomial-coefficient calculators: they write to the shared
// output and hold their terms as one list, absent until the inputs have been read.
class KeTuOptionalInputListCalculator {
public:
    KeTuOptionalInputListCalculator(const KeTuOptionalInputListCalculator&) = delete;
    KeTuOptionalInputListCalculator& operator=(const KeTuOptionalInputListCalculator&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    std::optional<std::vector<std::shared_ptr<Digit>>> allInputs;

protected:
    KeTuOptionalInputListCalculator() = default;
    ~KeTuOptionalInputListCalculator() = default;
};

class KeTuSimplePowerCalculator : public KeTuOptionalInputListCalculator {};
class KeTuLogarithmicIdentities : public KeTuOptionalInputListCalculator {};
class KeTuSimpleLogarithm : public KeTuOptionalInputListCalculator {};
class KeTuAdvancedPowerCalculator : public KeTuOptionalInputListCalculator {};
class KeTuExponentialGrowthAndDecay : public KeTuOptionalInputListCalculator {};
class KeTuPowerAndLogarithmicFunction : public KeTuOptionalInputListCalculator {};
class KeTuBinomialCoefficient : public KeTuOptionalInputListCalculator {};
