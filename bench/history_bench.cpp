// Adding to the history rewrites the whole stored list, so its cost grows with the history;
// it has to stay linear and well under 20 ms at 10,000 entries.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Radixel/services/CalcManager.hpp"

namespace {

Calculation typicalRecord(int i) {
    Calculation calculation;
    calculation.inputParameters = {{"p", std::to_string(i % 97) + ".5"}, {"q", "-7/" + std::to_string(i % 13 + 2)}};
    calculation.latexString = "p = " + calculation.inputParameters["p"] + " \\quad q = \\frac{-7}{" +
                              std::to_string(i % 13 + 2) + "}";
    calculation.setupParameter = {{"appKey", "ZV"}};
    return calculation;
}

void BM_addCalculation(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "radixel-history-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path folder = pattern;
    {
        auto defaults = std::make_shared<NSUserDefaults>(folder / "defaults.json");
        CalcManager manager(defaults);
        const auto entries = static_cast<int>(state.range(0));
        for (int i = 0; i < entries; ++i) manager.calculations.push_back(typicalRecord(i));

        int next = 0;
        for (auto _ : state) {
            manager.addCalculation(typicalRecord(next++));
            // Keep the history at its size without timing the removal.
            state.PauseTiming();
            manager.calculations.pop_back();
            state.ResumeTiming();
        }
        state.SetComplexityN(state.range(0));
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace

BENCHMARK(BM_addCalculation)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
