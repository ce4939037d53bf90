// Sharing a solution, from the tap on the share button to the picture saved as PNG: twelve step
// rows captured one by one, stacked, offered and written. Chart rows would add their fixed
// two-second waits, which are the virtual clock's and not measured here. Aim: under 100 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "Radixel/math/KeTuRadixel.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/screens/solution/SolutionViewControllerScene.hpp"
#include "platform/render/ShareSheetSaver.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

namespace {

class SolutionOnly : public UIResponder, public UIApplicationDelegate {
public:
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<SolutionViewController> solution;

    bool applicationDidFinishLaunchingWithOptions(UIApplication&, const UIApplicationLaunchOptions&) override {
        registerSolutionStoryboard();
        solution = UIStoryboard::storyboardWithName(SolutionViewController::storyboardName, nullptr)
                       ->instantiateViewControllerWithIdentifier<SolutionViewController>(
                           SolutionViewController::sceneIdentifier);
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window->setRootViewController(solution);
        window->makeKeyAndVisible();
        return true;
    }
};

std::vector<SolutionStep> twelveSteps() {
    KeTuStringOutput::shared().solutionSteps.clear();
    KeTuStringOutput::shared().solutionStepCounter = 0;
    KeTuRadixel solver;
    std::vector<SolutionStep> steps = *solver.calculate("-2.4", 11, "7/3", 12).solutionSteps;
    steps.resize(12, steps.back());
    return steps;
}

void BM_shareTwelveStepsToSavedPNG(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "radixel-share-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::filesystem::path folder = pattern;
    {
        uikit::testing::Harness h;
        auto app = h.launch<SolutionOnly>();
        auto& page = *app->solution;
        page.solutionSteps = twelveSteps();
        page.tableView->setRowHeight(100.0);
        page.tableView->reloadData();
        h.runUntilIdle();
        for (auto _ : state) {
            page.tappedShareButton(nullptr);
            h.runUntilIdle();
            h.tapAlertAction("OK");
            h.finishAnimations();
            auto sheet = h.presented<UIActivityViewController>();
            auto outcome = sheet ? render::ShareSheetSaver::saveImages(
                                       sheet->activityItemsOfType<std::shared_ptr<UIImage>>(), folder)
                                 : render::ShareOutcome{};
            if (!outcome.saved) {
                state.SkipWithError("the picture was not saved");
                break;
            }
            state.PauseTiming();
            sheet->dismissViewControllerAnimated(false);
            h.runUntilIdle();
            std::filesystem::remove(outcome.files.front());
            state.ResumeTiming();
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_shareTwelveStepsToSavedPNG)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace
