// One whole calculation, as the calculate screen runs it: empty the shared output, solve.
#include <benchmark/benchmark.h>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/math/KeTuStringOutput.hpp"

namespace {

void solve(benchmark::State& state, const char* p, const char* q) {
    for (auto _ : state) {
        KeTuStringOutput::shared().solutionSteps.clear();
        KeTuStringOutput::shared().solutionStepCounter = 0;
        KeTuRadixel solver;
        KeTuRadixelResult result = solver.calculate(std::string(p), 1, std::string(q), 2);
        benchmark::DoNotOptimize(result);
    }
}

BENCHMARK_CAPTURE(solve, decimal_and_fraction, "-2.4", "7/3");
BENCHMARK_CAPTURE(solve, whole_numbers, "2", "-1");
BENCHMARK_CAPTURE(solve, fifteen_digits, "123456789012345", "987654321098765");

}  // namespace
