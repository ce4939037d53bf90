// Feeds arbitrary bytes to the solver as the two input texts: the first NUL byte (if any)
// separates p from q. Every input must end in an error key or a complete step list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    size_t split = bytes.find('\0');
    std::string p = bytes.substr(0, split);
    std::string q = split == std::string::npos ? std::string() : bytes.substr(split + 1);

    KeTuStringOutput::shared().solutionSteps.clear();
    KeTuStringOutput::shared().solutionStepCounter = 0;
    KeTuRadixel solver;
    KeTuRadixelResult result = solver.calculate(p, 1, q, 2);
    if (result.errorKey.has_value() == result.solutionSteps.has_value()) std::abort();
    if (result.solutionSteps) {
        if (result.solutionSteps->empty() || !result.p || !result.q || result.p->n == 0 || result.q->n == 0)
            std::abort();
        for (const auto& step : *result.solutionSteps)
            if (step.size() != 2 || !step.count("title") || !step.count("latexString")) std::abort();
    }
    return 0;
}
