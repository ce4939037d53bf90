// Logging analytics events: what the caller's thread pays per event (ordinary, the largest the
// rules allow, and far too large), how many events per second the engine validates and stores
// behind it, and how much memory the queue takes while another process keeps the database locked.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include "measurement/DDVAnalytics.hpp"
#include "measurement/engine/APMAnalytics.hpp"
#include "measurement/engine/APMMonitor.hpp"
#include "measurement/model/APMDataTypeValidator.hpp"
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
        // The refusals and drops provoked here are expected; their console lines would only cost time.
        APMMonitor::setSinkForTesting([](const std::string&) {});
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

// 25 lists of four dictionaries with a text of 100 characters: close to the size limit.
nlohmann::json largestAllowedParameters() {
    nlohmann::json parameters = nlohmann::json::object();
    for (int p = 0; p < 25; ++p) {
        nlohmann::json list = nlohmann::json::array();
        for (int i = 0; i < 4; ++i) list.push_back({{"title", std::string(100, 'a' + i)}, {"step", i}});
        parameters["list" + std::to_string(p)] = list;
    }
    return parameters;
}

void BM_LogLargestAllowedEventCallerTime(benchmark::State& state) {
    dataFolder();
    const nlohmann::json largest = largestAllowedParameters();
    for (auto _ : state) {
        DDVAnalytics::logEventWithName("ketu_tapped_share", largest);
        // Keeps the queue from filling up, outside the measured time.
        state.PauseTiming();
        APMAnalytics::waitUntilIdleForTesting();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LogLargestAllowedEventCallerTime)->Iterations(500)->Unit(benchmark::kMicrosecond);

void BM_LogOversizedEventCallerTime(benchmark::State& state) {
    dataFolder();
    nlohmann::json steps = nlohmann::json::array();
    for (int i = 0; i < 200000; ++i) steps.push_back({{"title", std::string(100, 'x')}, {"index", i}});
    const nlohmann::json oversized = {{"solutionSteps", steps}};
    for (auto _ : state) DDVAnalytics::logEventWithName("ketu_tapped_share", oversized);
    APMAnalytics::waitUntilIdleForTesting();
}
BENCHMARK(BM_LogOversizedEventCallerTime)->Iterations(2000)->Unit(benchmark::kMicrosecond);

std::size_t residentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stoul(line.substr(6)) * 1024;
    return 0;
}

// A flood of the largest events while another connection holds the database: the queue must
// stop at its bounds. Reports how much the process grew.
void BM_FloodWhileTheDatabaseIsLocked(benchmark::State& state) {
    const std::filesystem::path file = dataFolder().path / "measurement" / "rezuvu-app-measurement.sql";
    DDVAnalytics::logEventWithName("ketu_calculate", parameters);
    APMAnalytics::waitUntilIdleForTesting();
    const nlohmann::json largest = largestAllowedParameters();
    const int flood = static_cast<int>(APMAnalytics::maximumQueuedEvents) * 2;
    std::size_t grown = 0;
    for (auto _ : state) {
        sqlite3* other = nullptr;
        sqlite3_open(file.c_str(), &other);
        sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        std::size_t before = residentBytes();
        for (int i = 0; i < flood; ++i) DDVAnalytics::logEventWithName("ketu_tapped_share", largest);
        APMAnalytics::waitUntilIdleForTesting();
        grown = std::max(grown, residentBytes() - std::min(before, residentBytes()));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        APMAnalytics::resetForTesting();  // stores what the queue held
    }
    state.counters["queue_growth_MB"] = static_cast<double>(grown) / (1 << 20);
    state.counters["queue_bound_MB"] = static_cast<double>(APMAnalytics::maximumQueuedBytes) / (1 << 20);
}
BENCHMARK(BM_FloodWhileTheDatabaseIsLocked)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
