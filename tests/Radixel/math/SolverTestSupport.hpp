#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

// Runs one calculation the way the calculate screen does: empty the shared output first.
inline KeTuRadixelResult runSolver(std::optional<std::string> p, std::optional<std::string> q, int64_t pTag = 11,
                                   int64_t qTag = 12) {
    KeTuStringOutput::shared().solutionSteps.clear();
    KeTuStringOutput::shared().solutionStepCounter = 0;
    KeTuRadixel solver;
    return solver.calculate(std::move(p), pTag, std::move(q), qTag);
}

using StepList = std::vector<std::pair<std::string, std::string>>;  // title, LaTeX

inline StepList stepsOf(const KeTuRadixelResult& result) {
    StepList steps;
    if (result.solutionSteps)
        for (const auto& step : *result.solutionSteps) steps.emplace_back(step.at("title"), step.at("latexString"));
    return steps;
}
