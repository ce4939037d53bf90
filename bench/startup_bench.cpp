// Start to first frame of the real program (`radixel --exit-after-first-frame`, past its
// first-start and rating prompts) against an empty SDL2 window program that shows one frame, both started
// in turn in the same run under the current display. Each says on its output when its frame is
// presented; the time until that line is what counts, not the tearing down after it. The time is
// the app's; the counters give both means in ms and their ratio (aim: the app at most 1.5 times
// the empty window). Without a display it skips: run it under `xvfb-run -a`.
#include <benchmark/benchmark.h>

#include <fstream>
#include <optional>
#include <string>

#include "ChildProcess.hpp"
#include "support/ScratchFolder.hpp"

namespace {

const std::string firstFrameLine = "First frame shown";

void BM_startToFirstFrameAgainstEmptyWindow(benchmark::State& state) {
    if (!bench::haveDisplay()) {
        state.SkipWithError("no display (DISPLAY is not set): run under xvfb-run -a");
        return;
    }
    ScratchFolder data;
    // Past the first-start prompts and the rating prompt, which would otherwise come up from
    // the fifth start on and make every later iteration a different start.
    std::ofstream(data.path() / "defaults.json")
        << R"({"isOnboardingFinished": true, "isDsgvoAccepted": true, "isRatingAlreadyDone": true})";
    const std::map<std::string, std::string> variables{{"RADIXEL_DATA_DIR", data.path().string()}};

    double appSeconds = 0, emptySeconds = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        auto empty = bench::ChildProcess::start({RADIXEL_EMPTY_WINDOW_PATH}, {}, true);
        auto emptyFrame = empty ? empty->secondsUntilLine(firstFrameLine) : std::nullopt;
        bool emptyClean = empty && empty->wait().clean;
        auto app = bench::ChildProcess::start({RADIXEL_APP_PATH, "--exit-after-first-frame"}, variables, true);
        auto appFrame = app ? app->secondsUntilLine(firstFrameLine) : std::nullopt;
        bool appClean = app && app->wait().clean;
        if (!emptyFrame || !emptyClean || !appFrame || !appClean) {
            state.SkipWithError(emptyFrame && emptyClean ? "the app did not show a frame" : "the empty window did not open");
            return;
        }
        state.SetIterationTime(*appFrame);
        appSeconds += *appFrame;
        emptySeconds += *emptyFrame;
        ++runs;
    }
    if (runs == 0) return;
    state.counters["appMs"] = 1000 * appSeconds / runs;
    state.counters["emptyWindowMs"] = 1000 * emptySeconds / runs;
    state.counters["ratio"] = appSeconds / emptySeconds;
}
BENCHMARK(BM_startToFirstFrameAgainstEmptyWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
