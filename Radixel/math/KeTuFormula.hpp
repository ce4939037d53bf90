#pragma once

#include <vector>

#include "Radixel/math/Formula.hpp"

// Holder of a formula catalogue. Starts empty; nothing loads one yet.
class KeTuFormula {
public:
    KeTuFormula() = default;

    std::vector<Formula> formulas;
};
