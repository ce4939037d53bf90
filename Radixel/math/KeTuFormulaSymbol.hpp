#pragma once

#include <vector>

#include "Radixel/math/Symbol.hpp"

// Holder of formula symbols; filled by whoever assigns symbols.
class KeTuFormulaSymbol {
public:
    KeTuFormulaSymbol() = default;

    std::vector<Symbol> symbols;
};
