#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

// y = m x + n, given by slope and intercept or by two points.
class KeTuLinearEquation {
public:
    KeTuLinearEquation() = default;
    KeTuLinearEquation(const KeTuLinearEquation&) = delete;
    KeTuLinearEquation& operator=(const KeTuLinearEquation&) = delete;

    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    std::optional<std::string> inputM;
    std::optional<std::string> inputN;
    std::optional<std::string> inputX1;
    std::optional<std::string> inputX2;
    std::optional<std::string> inputY1;
    std::optional<std::string> inputY2;
    std::optional<int64_t> tagM;
    std::optional<int64_t> tagN;
    std::optional<int64_t> tagX1;
    std::optional<int64_t> tagX2;
    std::optional<int64_t> tagY1;
    std::optional<int64_t> tagY2;
    Fraction x1;
    Fraction x2;
    Fraction y1;
    Fraction y2;
    Fraction m;
    Fraction n;
    bool withFraction = false;
    double divisor = 1.0;  // unlike the other calculators' divisors, always present
    bool isMOrNChanged = false;
    bool isAnyPointChanged = false;
    bool isInputChanged = false;
    bool isMChanged = false;
    bool isNChanged = false;
    bool isX1Changed = false;
    bool isY1Changed = false;
    bool isX2Changed = false;
    bool isY2Changed = false;
};
