// Logging analytics events: what the caller's thread pays per event, and how many events per
// second the engine validates and stores behind it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "measurement/DDVAnalytics.hpp"
#include "measurement/engine/APMAnalytics.hpp"
#include "platform/didevero/DDVApp.hpp"
#include "platform/foundation/AppDataDirectory.hpp"

namespace {

constexpr int eventsPerRun = 10000;

// The engine writes into a throw-away data folder, removed at exit.
struct BenchDataFolder {
    BenchDataFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "radixel-bench-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        path = ::mkdtemp(name.data());
        foundation::setAppDataDirectory(path);
        DDVApp::configure();
    }
    ~BenchDataFolder() {
        APMAnalytics::resetForTesting();
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path path;
};

BenchDataFolder& dataFolder() {
    static BenchDataFolder folder;
    return folder;
}

const nlohmann::json parameters = {{"solutionStepsCount", 9}, {"app", "ZV"}};

void BM_LogEventCallerTime(benchmark::State& state) {
    dataFolder();
    for (auto _ : state) DDVAnalytics::logEventWithName("ketu_calculate", parameters);
    APMAnalytics::waitUntilIdleForTesting();  // after the timed loop: not part of the caller's cost
}
BENCHMARK(BM_LogEventCallerTime)->Iterations(eventsPerRun)->Unit(benchmark::kMicrosecond);

void BM_StoreTenThousandEvents(benchmark::State& state) {
    dataFolder();
    for (auto _ : state) {
        for (int i = 0; i < eventsPerRun; ++i) DDVAnalytics::logEventWithName("ketu_calculate", parameters);
        APMAnalytics::waitUntilIdleForTesting();
    }
    state.SetItemsProcessed(state.iterations() * eventsPerRun);
    state.counters["events_stored_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * eventsPerRun), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StoreTenThousandEvents)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
