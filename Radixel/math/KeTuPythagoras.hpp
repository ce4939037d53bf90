#pragma once

#include <cstdint>
#include <optional>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

class KeTuPythagoras {
public:
    KeTuPythagoras() = default;
    KeTuPythagoras(const KeTuPythagoras&) = delete;
    KeTuPythagoras& operator=(const KeTuPythagoras&) = delete;

    std::optional<int64_t> tagA;
    std::optional<int64_t> tagB;
    std::optional<int64_t> tagC;
    Fraction a;
    Fraction b;
    Fraction c;
    bool negativeSqrt = false;
    std::optional<double> divisor;
    bool isAnyNumberChanged = false;
    KeTuStringOutput& outputHelper = KeTuStringOutput::shared();
    bool withFraction = false;
};
