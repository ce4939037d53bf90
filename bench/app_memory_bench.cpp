// Peak resident memory of the real program in its window: started past its first-start prompts,
// it solves p = -2, q = -3 from clicks and typed keys, then shares the solution (the quality
// note answered, the picture saved as PNG). The counter peakResidentMB is the process's VmHWM
// once the picture is saved; aim: under 60 MB. Where to click is found on the same app driven
// headless on the window's screen. Needs a display (run under `xvfb-run -a`) and xdotool.
#include <benchmark/benchmark.h>

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "ChildProcess.hpp"
#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/ScratchFolder.hpp"

namespace {

CGPoint centreInWindow(UIView& view) {
    CGRect frame = view.convertRectToView(view.bounds(), view.window().get());
    return {frame.midX(), frame.midY()};
}

// The input as xdotool commands for window $wid, worked out on the app without a window.
std::string driveScript() {
    NSUserDefaults::resetStandardUserDefaultsForTesting();
    ScratchFolder folder;
    folder.useAsAppDataDirectory();
    DefaultsKeys::isOnboardingFinished.set(true);
    DefaultsKeys::isDsgvoAccepted.set(true);
    std::ostringstream script;
    {
        uikit::testing::Harness h(uikit::testing::Harness::Options{{390, 844}, 1, {0, 0, 0, 0}});
        auto app = h.launch<AppDelegate>();
        auto click = [&](CGPoint at) {
            script << "xdotool mousemove --window $wid " << int(at.x) << " " << int(at.y) << " click 1; sleep 0.3\n";
        };
        auto& calculate = *app->calculateViewController();
        click(centreInWindow(*calculate.pTextField));
        script << "xdotool type -- -2; sleep 0.2\n";
        click(centreInWindow(*calculate.qTextField));
        script << "xdotool type -- -3; sleep 0.2\n";
        click(centreInWindow(*calculate.calculateButton));
        h.focus(calculate.pTextField);
        calculate.pTextField->insertText("-2");
        h.focus(calculate.qTextField);
        calculate.qTextField->insertText("-3");
        h.tap(calculate.calculateButton);
        h.finishAnimations();
        auto share = app->solutionViewController()->shareButton;
        click(centreInWindow(*share));
        h.tap(share);
        h.finishAnimations();
        if (auto alert = h.presentedAlert()) {
            auto layout = render::alertLayout(*alert, h.window()->bounds().size);
            if (!layout.buttons.empty()) click({layout.buttons[0].frame.midX(), layout.buttons[0].frame.midY()});
        }
    }
    NSUserDefaults::resetStandardUserDefaultsForTesting();
    return script.str();
}

long statusKiB(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

bool anyPicture(const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".png") return true;
    return false;
}

void BM_appPeakResidentMemoryAfterCalculationAndShare(benchmark::State& state) {
    if (!bench::haveDisplay()) {
        state.SkipWithError("no display (DISPLAY is not set): run under xvfb-run -a");
        return;
    }
    if (std::system("command -v xdotool >/dev/null") != 0) {
        state.SkipWithError("xdotool is not installed");
        return;
    }
    const std::string drive = driveScript();
    long peakKiB = 0;
    for (auto _ : state) {
        ScratchFolder data;
        std::ofstream(data.path() / "defaults.json") << R"({"isOnboardingFinished": true, "isDsgvoAccepted": true,
            "isRatingAlreadyDone": true})";
        std::filesystem::create_directories(data.path() / "config");
        std::filesystem::create_directories(data.path() / "pictures");
        std::ofstream(data.path() / "config" / "user-dirs.dirs")
            << "XDG_PICTURES_DIR=\"" << (data.path() / "pictures").string() << "\"\n";
        auto app = bench::ChildProcess::start(
            {RADIXEL_APP_PATH},
            {{"RADIXEL_DATA_DIR", data.path().string()}, {"XDG_CONFIG_HOME", (data.path() / "config").string()}});
        if (!app) {
            state.SkipWithError("the app did not start");
            return;
        }
        std::ofstream(data.path() / "drive.sh")
            << "wid=$(xdotool search --sync --pid " << app->pid << " --name Radixel | head -1)\nsleep 0.5\n"
            << drive;
        bool driven = std::system(("timeout 30 bash " + (data.path() / "drive.sh").string()).c_str()) == 0;
        for (int wait = 0; driven && wait < 100 && !anyPicture(data.path() / "pictures"); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        bool shared = anyPicture(data.path() / "pictures");
        peakKiB = statusKiB(app->pid, "VmHWM");
        ::kill(app->pid, SIGTERM);
        app->wait();
        if (!shared) {
            state.SkipWithError("the shared picture was not saved: the clicks missed");
            return;
        }
    }
    state.counters["peakResidentMB"] = static_cast<double>(peakKiB) / 1024;
}
BENCHMARK(BM_appPeakResidentMemoryAfterCalculationAndShare)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
