// The history screen over a long history: 10,000 entries. Opening it from the drawer's menu,
// from the tap to the first frame that shows the list, has to stay under 50 ms; scrolling from the top to the
// bottom has to keep the number of live cells and the memory flat (the table reuses its rows
// and nothing is kept per entry). The counters give the live cells at the top and their most
// while scrolling, and how much the resident memory grew over a whole scroll after a first,
// warming one.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include "Radixel/AppDelegate.hpp"
#include "Radixel/screens/history/HistoryTableViewController.hpp"
#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/root/AppNavigationDrawerController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "Radixel/services/DefaultsKeys.hpp"
#include "platform/foundation/NSUserDefaults.hpp"
#include "platform/render/UIGraphicsImageRenderer.hpp"
#include "platform/render/ViewRenderer.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/ScratchFolder.hpp"

namespace {

constexpr int entries = 10000;

Calculation typicalEntry(int i) {
    Calculation calculation;
    std::string p = std::to_string(i % 97) + ".5";
    std::string q = std::to_string(-(i % 31));
    calculation.inputParameters = {{"p", p}, {"q", q + "/7"}};
    calculation.latexString = "p = " + p + " \\quad q = \\frac{" + q + "}{7}";
    calculation.setupParameter = {{"appKey", "ZV"}};
    return calculation;
}

long residentKiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The application launched past its first-start prompts with a history of `entries` entries.
class LongHistory {
public:
    LongHistory() {
        NSUserDefaults::resetStandardUserDefaultsForTesting();
        folder_.useAsAppDataDirectory();
        DefaultsKeys::isOnboardingFinished.set(true);
        DefaultsKeys::isDsgvoAccepted.set(true);
        app_ = h.launch<AppDelegate>();
        CalcManager& store = CalcManager::shared();
        store.calculations.clear();
        for (int i = 1; i < entries; ++i) store.calculations.push_back(typicalEntry(i));
        store.addCalculation(typicalEntry(0));
    }
    ~LongHistory() { NSUserDefaults::resetStandardUserDefaultsForTesting(); }

    std::shared_ptr<AppToolbarController> toolbar() {
        auto drawer = std::dynamic_pointer_cast<AppNavigationDrawerController>(h.rootViewController());
        return std::dynamic_pointer_cast<AppToolbarController>(drawer->rootViewController());
    }
    void openMenu() { h.tap(toolbar()->menuButton); }
    // Taps "History" in the open menu; answers the screen once it is on screen.
    std::shared_ptr<HistoryTableViewController> tapHistory() {
        h.tapRow(app_->leftViewController()->tableView(), {0, 1});
        h.finishAnimations();
        return std::dynamic_pointer_cast<HistoryTableViewController>(toolbar()->rootViewController());
    }

    ScratchFolder folder_;
    uikit::testing::Harness h;
    std::shared_ptr<AppDelegate> app_;
};

// The window's next frame, drawn as the window host draws it, at the phone's scale.
bool drawFrame(UIWindow& window) {
    UIGraphicsImageRendererFormat format;
    format.scale = 3;
    auto image = UIGraphicsImageRenderer(window.bounds().size, format)
                     .imageWithActions([&](const UIGraphicsImageRendererContext& context) {
                         render::ViewRenderer::drawView(window, context.CGContext());
                     });
    return image != nullptr;
}

size_t liveCells(UITableView& table) { return table.visibleCells().size() + table.numberOfReusableCells(); }

void BM_openHistoryOf10000Entries(benchmark::State& state) {
    LongHistory app;
    for (auto _ : state) {
        state.PauseTiming();
        app.openMenu();
        state.ResumeTiming();
        auto history = app.tapHistory();
        if (!history || history->tableView()->visibleCells().empty() || !drawFrame(*app.h.window())) {
            state.SkipWithError("the history did not show its rows");
            break;
        }
    }
}
BENCHMARK(BM_openHistoryOf10000Entries)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_scrollHistoryOf10000Entries(benchmark::State& state) {
    LongHistory app;
    app.openMenu();
    auto history = app.tapHistory();
    if (!history) {
        state.SkipWithError("the history is not shown");
        return;
    }
    auto& table = *history->tableView();
    // About half a screen per step, as a quick finger moves the list.
    const CGFloat step = table.bounds().size.height / 2;
    const CGFloat end = table.contentSize().height - table.bounds().size.height;
    auto scrollThrough = [&](size_t& most) {
        for (CGFloat y = 0; y <= end; y += step) {
            table.setContentOffset({0, y});
            app.h.runUntilIdle();
            most = std::max(most, liveCells(table));
        }
    };
    size_t warmMost = 0;
    scrollThrough(warmMost);

    size_t atTop = 0, most = 0;
    long growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        table.setContentOffset({0, 0});
        app.h.runUntilIdle();
        atTop = liveCells(table);
        long before = residentKiB();
        state.ResumeTiming();
        scrollThrough(most);
        state.PauseTiming();
        growth = residentKiB() - before;
        state.ResumeTiming();
    }
    state.counters["liveCellsAtTop"] = static_cast<double>(atTop);
    state.counters["liveCellsMostWhileScrolling"] = static_cast<double>(most);
    state.counters["residentGrowthKiB"] = static_cast<double>(growth);
}
BENCHMARK(BM_scrollHistoryOf10000Entries)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
