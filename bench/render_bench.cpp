// Drawing speed: a full redraw of a phone window at scale 2 showing twelve formula rows (the
// window must keep up with 60 frames a second, so under 8 ms), and stacking twelve captured
// rows into one image for sharing (under 50 ms). Run with --benchmark_repetitions=10 for medians.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "Radixel/math/KeTuRadixel.hpp"
#include "platform/iosmath/MTMathUILabel.hpp"
#include "platform/render/UIGraphicsImageContext.hpp"
#include "platform/render/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITableViewCell.hpp"
#include "platform/uikit/UITableViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace {

constexpr double rowHeight = 96;

class StepCell : public UITableViewCell {
public:
    static constexpr const char* cellIdentifier = "step";
    using UITableViewCell::UITableViewCell;
    void show(const std::string& title, const std::string& latex)
    {
        if (!title_->superview()) {
            title_->setFont(UIFont::fontWithName("Avenir-Heavy", 15));
            formula_->setFontSize(19);
            contentView()->addSubview(title_);
            contentView()->addSubview(formula_);
        }
        title_->setText(title);
        formula_->setLatex(latex);
    }
    void layoutSubviews() override
    {
        UITableViewCell::layoutSubviews();
        CGRect b = contentView()->bounds();
        title_->setFrame({16, 8, b.size.width - 32, 22});
        formula_->setFrame({16, 32, b.size.width - 32, b.size.height - 40});
    }

private:
    std::shared_ptr<UILabel> title_ = std::make_shared<UILabel>();
    std::shared_ptr<MTMathUILabel> formula_ = std::make_shared<MTMathUILabel>();
};

class StepsController : public UITableViewController {
public:
    StepsController()
    {
        KeTuRadixel solver;
        auto steps = solver.calculate("-2.4", 1, "7/3", 2).solutionSteps.value_or(std::vector<std::map<std::string, std::string>>{});
        while (steps_.size() < 12 && !steps.empty()) {
            steps_.push_back(steps[steps_.size() % steps.size()]);
        }
    }
    void viewDidLoad() override
    {
        UITableViewController::viewDidLoad();
        tableView()->registerClass<StepCell>();
        tableView()->setBackgroundColor(UIColor::whiteColor());
    }
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t) override { return static_cast<int64_t>(steps_.size()); }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath) override
    {
        auto cell = table->dequeue<StepCell>(indexPath);
        const auto& step = steps_.at(static_cast<size_t>(indexPath.row));
        cell->show(step.at("title"), step.at("latexString"));
        return cell;
    }
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return rowHeight; }

private:
    std::vector<std::map<std::string, std::string>> steps_;
};

struct Screen {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 390, 844});
    std::shared_ptr<StepsController> controller = std::make_shared<StepsController>();
    Screen()
    {
        window->setRootViewController(controller);
        window->makeKeyAndVisible();
        window->layoutIfNeeded();
    }
};

std::shared_ptr<UIImage> capture(const UIView& view)
{
    UIGraphicsImageRendererFormat format;
    format.scale = 2;
    return UIGraphicsImageRenderer(view.bounds().size, format).imageWithActions([&](const UIGraphicsImageRendererContext& context) {
        view.layer()->renderInContext(context.CGContext());
    });
}

std::vector<std::shared_ptr<UIImage>> captureRows(Screen& screen)
{
    std::vector<std::shared_ptr<UIImage>> rows;
    auto table = screen.controller->tableView();
    for (int64_t row = 0; row < table->numberOfRowsInSection(0); ++row) {
        auto indexPath = NSIndexPath::indexPathForRow(row, 0);
        table->scrollToRowAtIndexPath(indexPath, UITableViewScrollPosition::Top, false);
        screen.window->layoutIfNeeded();
        if (auto cell = table->cellForRowAtIndexPath(indexPath)) {
            rows.push_back(capture(*cell));
        }
    }
    table->setContentOffset({0, 0});
    return rows;
}

std::shared_ptr<UIImage> stack(const std::vector<std::shared_ptr<UIImage>>& images)
{
    CGSize size;
    for (const auto& image : images) {
        size.width = std::max(size.width, image->size().width);
        size.height += image->size().height;
    }
    UIGraphicsBeginImageContextWithOptions(size, false, 2);
    double y = 0;
    for (const auto& image : images) {
        image->drawAtPoint({0, y});
        y += image->size().height;
    }
    auto stacked = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return stacked;
}

size_t darkPixels(cairo_surface_t* surface)
{
    size_t count = 0;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < cairo_image_surface_get_height(surface); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(surface));
        for (int x = 0; x < cairo_image_surface_get_width(surface); ++x) {
            count += ((row[x] >> 8) & 0xff) < 100;
        }
    }
    return count;
}

void BM_FullRedrawOfTwelveFormulaRowsAtScale2(benchmark::State& state)
{
    Screen screen;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 780, 1688);
    for (auto _ : state) {
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, 2, 2);
        screen.window->layer()->renderInContext(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        benchmark::ClobberMemory();
    }
    // What was drawn, so a fast time cannot come from drawing nothing.
    state.counters["visible_rows"] = static_cast<double>(screen.controller->tableView()->visibleCells().size());
    state.counters["dark_pixels"] = static_cast<double>(darkPixels(surface));
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_FullRedrawOfTwelveFormulaRowsAtScale2)->Unit(benchmark::kMillisecond);

void BM_StackTwelveCapturedRows(benchmark::State& state)
{
    Screen screen;
    auto rows = captureRows(screen);
    if (rows.size() != 12) {
        state.SkipWithError("expected twelve rows");
        return;
    }
    for (auto _ : state) {
        auto image = stack(rows);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_StackTwelveCapturedRows)->Unit(benchmark::kMillisecond);

void BM_CaptureAndStackTwelveRows(benchmark::State& state)
{
    Screen screen;
    for (auto _ : state) {
        auto image = stack(captureRows(screen));
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_CaptureAndStackTwelveRows)->Unit(benchmark::kMillisecond);

} // namespace
