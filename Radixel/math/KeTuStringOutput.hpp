#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Radixel/math/NaturalConstant.hpp"

// One solution step: exactly the keys "title" and "latexString".
using SolutionStep = std::map<std::string, std::string>;

// The math framework's one output object: collects the numbered solution steps a calculator
// writes and turns numbers into the LaTeX text that the steps show.
class KeTuStringOutput {
public:
    KeTuStringOutput() = default;

    // The process-wide instance every calculator writes to; created on first use.
    static KeTuStringOutput& shared();

    // Raises the counter, then gives the localised "Step", the new number and the title:
    // "Step 1    Your Input".
    std::string nextStepTitle(const std::string& title);

    // The LaTeX text of one number: "0" below 1e-10 in magnitude, "\infty"/"-\infty" beyond
    // 1e12 when allowed, else en_US digits without grouping (negatives in parentheses unless
    // withoutParentheses), followed by the constants' LaTeX, the variable and the unit.
    std::string numberString(const std::string& unit, const std::vector<NaturalConstant>& constants,
                             const std::string& variable, int64_t maximumFractionDigits, bool allowInfinity,
                             bool withoutParentheses, double value) const;

    int64_t solutionStepCounter = 0;
    std::vector<SolutionStep> solutionSteps;
};
