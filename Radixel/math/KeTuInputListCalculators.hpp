#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Radixel/math/Digit.hpp"
#include "Radixel/math/KeTuMathOperation.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

// The stochastics calculators that take their terms as one list: they write to the shared
// output and hold the list they have read.
class KeTuInputListCalculator {
public:
    KeTuInputListCalculator(const KeTuInputListCalculator&) = delete;
    KeTuInputListCalculator& operator=(const KeTuInputListCalculator&) = delete;

    KeTuMathOperation& operation = KeTuMathOperation::shared();
    KeTuStringOutput& output = KeTuStringOutput::shared();
    std::vector<std::shared_ptr<Digit>> allInputs;

protected:
    KeTuInputListCalculator() = default;
    ~KeTuInputListCalculator() = default;
};

class KeTuBernoulliFormula : public KeTuInputListCalculator {};
class KeTuBernoulliExperiment : public KeTuInputListCalculator {};

// Those of them whose results are probabilities, shown to a fixed number of places.
class KeTuRoundedInputListCalculator : public KeTuInputListCalculator {
public:
    const int64_t decimalPlaces = 5;

protected:
    KeTuRoundedInputListCalculator() = default;
    ~KeTuRoundedInputListCalculator() = default;
};

class KeTuHypothesisTestTypeIError : public KeTuRoundedInputListCalculator {};
class KeTuBinomialDistribution : public KeTuRoundedInputListCalculator {};
class KeTuCombinatorics : public KeTuRoundedInputListCalculator {};
