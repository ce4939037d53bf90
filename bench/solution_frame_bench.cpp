// From the tap on Calculate to the first frame of the solution page, at scale 2: the solver, the
// history entry, the page change and the drawing of the whole window into a pixel buffer as the
// window host draws each frame. Aim: under 16 ms, one frame of a 60 Hz display.
#include <benchmark/benchmark.h>

#include <cairo.h>

#include <memory>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/calculate/CalculateViewController.hpp"
#include "Radixel/screens/root/AppPageTabBarController.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "platform/dttextfield/DTTextField.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/ScratchFolder.hpp"

namespace {

constexpr double scale = 2;

// The host's frame: black behind, the window's layer tree drawn at the window's scale.
class Frame {
public:
    explicit Frame(CGSize size)
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(size.width * scale),
                                              static_cast<int>(size.height * scale))) {}
    ~Frame() { cairo_surface_destroy(surface_); }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    void draw(UIWindow& window) {
        cairo_t* cr = cairo_create(surface_);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_scale(cr, scale, scale);
        window.layoutIfNeeded();
        window.layer()->renderInContext(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface_);
    }

private:
    cairo_surface_t* surface_;
};

void BM_calculateTapToSolutionFrameAtScale2(benchmark::State& state) {
    NSUserDefaults::resetStandardUserDefaultsForTesting();
    ScratchFolder folder;
    folder.useAsAppDataDirectory();
    // Past the first-start prompts, and no rating prompt over the calculate page.
    DefaultsKeys::isOnboardingFinished.set(true);
    DefaultsKeys::isDsgvoAccepted.set(true);
    DefaultsKeys::isRatingAlreadyDone.set(true);
    {
        uikit::testing::Harness h(uikit::testing::Harness::Options{{390, 844}, scale, {0, 0, 0, 0}});
        auto app = h.launch<AppDelegate>();
        auto& calculate = *app->calculateViewController();
        auto& solution = *app->solutionViewController();
        auto& pages = *app->pageTabBarController();
        h.focus(calculate.pTextField);
        calculate.pTextField->insertText("-2");
        h.focus(calculate.qTextField);
        calculate.qTextField->insertText("-3");
        Frame frame(h.window()->bounds().size);
        for (auto _ : state) {
            state.PauseTiming();
            pages.select(0);
            h.finishAnimations();
            state.ResumeTiming();
            h.tap(calculate.calculateButton);
            frame.draw(*h.window());
            state.PauseTiming();
            bool shown = pages.selectedIndex() == 1 && solution.tableView->numberOfRowsInSection(0) > 0;
            state.ResumeTiming();
            if (!shown) {
                state.SkipWithError("the solution page did not show the steps");
                break;
            }
        }
    }
    NSUserDefaults::resetStandardUserDefaultsForTesting();
}
BENCHMARK(BM_calculateTapToSolutionFrameAtScale2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
