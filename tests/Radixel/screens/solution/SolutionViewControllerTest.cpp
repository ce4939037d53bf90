#include <gtest/gtest.h>

#include "Radixel/charts/UnitCircleChartData.hpp"
#include "Radixel/charts/views/ChartTableViewCell.hpp"
#include "Radixel/charts/views/ScreenshotFlag.hpp"
#include "Radixel/screens/manual/ManualViewController.hpp"
#include "Radixel/screens/solution/LatexCleanUp.hpp"
#include "Radixel/screens/solution/SolutionStepTableViewCell.hpp"
#include "Radixel/screens/solution/SolutionViewController.hpp"
#include "Radixel/screens/solution/TableScreenshot.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "Radixel/services/ViewManager.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/render/ShareSheetSaver.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "tests/Radixel/math/SolverTestSupport.hpp"
#include "tests/platform/render/PixelProbe.hpp"

using nlohmann::json;
using uikit::testing::Harness;
using Charts = std::vector<std::vector<std::shared_ptr<ChartData>>>;

namespace {

// The application's solution page, handed its steps as the calculate page hands them.
class SolutionPageTest : public ::testing::Test, public LaunchedApp {
protected:
    bool launched = (launch(Answers{}), true);
    SolutionViewController& page = solution();
    std::shared_ptr<UITableView> table = page.tableView;

    void handOver(std::vector<SolutionStep> steps, const Charts& charts = {},
                  std::optional<std::map<int64_t, CGFloat>> rowHeights = std::nullopt) {
        calculate().showSolution(steps, charts, "", rowHeights, 100.0);
        table->reloadData();  // the page takes row heights handed over at its next reload
        h.runUntilIdle();
    }

    static std::vector<SolutionStep> exampleSteps() { return *runSolver("-2", "-3").solutionSteps; }

    std::shared_ptr<SolutionStepTableViewCell> stepCell(int64_t row) {
        return std::dynamic_pointer_cast<SolutionStepTableViewCell>(table->cellForRowAtIndexPath({0, row}));
    }

    bool overlayShown() const { return ViewManager::keyWindow()->viewWithTag(ViewManager::busyOverlayTag) != nullptr; }
};

}  // namespace

// Without a manual image name the page has no manual; with one the manual screen's own tests
// open it through the button.
TEST_F(SolutionPageTest, StepsShowAsRowsFromTheTopWholeAndOnlyTheirOwnUntilClearEmptiesThePage) {
    EXPECT_FALSE(Material::tabItem(page)->isEnabled());
    EXPECT_EQ(Material::tabItem(page)->titleColor(), ThemeColor::gray());  // greyed while there is nothing
    std::vector<SolutionStep> steps = exampleSteps();
    handOver(steps);
    ASSERT_EQ(table->numberOfSections(), 1);
    ASSERT_EQ(table->numberOfRowsInSection(0), 11);
    EXPECT_EQ(table->contentOffset().y, 0);
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).origin.y, 0);
    for (int64_t row = 0; row < 11; ++row) {
        table->scrollToRowAtIndexPath({0, row}, UITableViewScrollPosition::Top, false);
        auto cell = stepCell(row);
        ASSERT_TRUE(cell) << row;
        EXPECT_EQ(cell->stepTitleLabel->text(), steps[row].at("title"));
        EXPECT_EQ(cell->mathLabel->latex(), cleanUpLatexString(steps[row].at("latexString")));
        EXPECT_FALSE(cell->mathLabel->error()) << cell->mathLabel->latex();
    }
    EXPECT_TRUE(!page.shareButton->isHidden() && Material::tabItem(page)->isEnabled());
    ASSERT_TRUE(table->tableFooterView());  // room to scroll the last step above the buttons
    EXPECT_TRUE(page.manualButton.lock()->isHidden());
    page.showManual();
    EXPECT_FALSE(h.presented<ManualViewController>());

    table->setContentOffset({0, 300});
    NSNotificationCenter::defaultCenter().postNotificationName(SolutionViewController::clearNotificationName);
    h.runUntilIdle();
    EXPECT_TRUE(page.solutionSteps.empty());
    EXPECT_TRUE(page.chartSteps.empty() && !page.manualImageName);
    EXPECT_EQ(table->numberOfRowsInSection(0), 0);
    EXPECT_EQ(table->tableFooterView(), nullptr);
    EXPECT_EQ(table->contentOffset().y, 0);
    EXPECT_FALSE(Material::tabItem(page)->isEnabled());
    // An empty page stays put, and has no video row.
    page.videoUrlStrings = {"https://video.invalid/1"};
    page.clearSolution();
    EXPECT_EQ(table->numberOfSections(), 1);
    pages().select(0);
    pages().select(1);
    EXPECT_TRUE(page.shareButton->isHidden());

    // Message rows, bold titles, and a long formula that scrolls sideways instead of being cut.
    std::string longFormula = "x = 1";
    for (int i = 2; i < 40; ++i) longFormula += " + " + std::to_string(i) + "x";
    handOver({{{"title", "Note#bold"}, {"messageString", "No real solution"}},
              {{"title", "Step 2    Plain"}, {"latexString", "x = 2.0"}},
              {{"title", "Only a title"}},
              {{"title", "Long"}, {"latexString", longFormula}}});
    auto note = stepCell(0);
    ASSERT_TRUE(note->stepTitleLabel->attributedText());
    EXPECT_EQ(note->stepTitleLabel->attributedText()->string(), "Note");
    EXPECT_EQ(note->stepTitleLabel->attributedText()->attributesAtIndex(0).font,
              UIFont::fontWithName("Avenir-Heavy", 14));
    EXPECT_EQ(note->messageLabel->text(), "No real solution");
    EXPECT_EQ(note->mathLabel->latex(), "");
    EXPECT_EQ(stepCell(1)->stepTitleLabel->font(), UIFont::fontWithName("Avenir-Book", 14));
    EXPECT_EQ(stepCell(1)->mathLabel->latex(), "x = 2");
    EXPECT_EQ(stepCell(1)->messageLabel->text(), "");
    EXPECT_EQ(stepCell(2)->mathLabel->latex(), "");
    auto shortRow = stepCell(1), longRow = stepCell(3);
    EXPECT_LE(shortRow->scrollView->contentSize().width, shortRow->scrollView->bounds().size.width);
    CGFloat formulaWidth = longRow->mathLabel->intrinsicContentSize().width;
    EXPECT_GT(formulaWidth, table->bounds().size.width);
    EXPECT_GE(longRow->mathLabel->frame().size.width, formulaWidth);
    EXPECT_GT(longRow->scrollView->contentSize().width, longRow->mathLabel->frame().maxX());
    longRow->scrollView->setContentOffset(longRow->scrollView->maximumContentOffset());
    longRow->layoutIfNeeded();
    EXPECT_GT(longRow->scrollView->contentOffset().x, 0);
    EXPECT_GE(longRow->mathLabel->frame().size.width, formulaWidth);

    // The same cell, handed a formula after the message and scrolled sideways, keeps nothing of
    // the step before.
    note->scrollView->setContentOffset({120, 0});
    note->setStepTitle("Plain again");
    note->configure({{"latexString", "y"}});
    EXPECT_EQ(note->stepTitleLabel->text(), "Plain again");
    EXPECT_EQ(note->messageLabel->text(), "");
    EXPECT_EQ(note->mathLabel->latex(), "y");
    EXPECT_EQ(note->scrollView->contentOffset(), (CGPoint{0, 0}));
    note->configure({});
    EXPECT_EQ(note->mathLabel->latex(), "");
}

// Without steps sharing only logs the event. Failures to save are the saver's own tests' concern;
// here the page's picture is saved and reads back.
TEST_F(SolutionPageTest, ShareOffersOneStackedPictureAfterTheNoteWhichTheSheetSaves) {
    ScratchFolder home;
    ScopedEnvironment homeFolder("HOME", home.path()), config("XDG_CONFIG_HOME", home.path() / "config");
    page.share();
    h.runUntilIdle();
    EXPECT_FALSE(h.presentedAlert());
    EXPECT_FALSE(overlayShown());
    EXPECT_FALSE(isTakingScreenshot);

    handOver(exampleSteps());
    table->setContentOffset({0, 150});
    ASSERT_TRUE(h.tapAccessibilityIdentifier("shareButton"));
    auto events = h.analytics().eventsNamed("ketu_tapped_share");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].parameters, (json{{"solutionSteps", json::array()}, {"solutionStepsCount", 0}}));
    EXPECT_TRUE(events[0].parameters["solutionStepsCount"].is_number_integer());
    EXPECT_EQ(events[1].parameters, (json{{"solutionSteps", exampleSteps()}, {"solutionStepsCount", 11}}));  // in order

    // Without chart rows the picture is ready at once, but the sheet waits for the note.
    EXPECT_EQ(alertTitle(), "Image quality");
    EXPECT_FALSE(overlayShown());
    EXPECT_FALSE(isTakingScreenshot);
    EXPECT_EQ(table->contentOffset(), (CGPoint{0, 150}));
    ASSERT_TRUE(h.tapAlertAction("OK"));
    h.finishAnimations();
    auto picture = sharedPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), (CGSize{table->bounds().size.width, 11 * 100.0}));
    EXPECT_EQ(pixelAt(*picture, 1, 1).a, 255);  // rows are captured on their background, not see-through
    h.runUntilIdle();
    EXPECT_EQ(sheet(), h.topViewController());

    // Each row's own drawing, top to bottom.
    const CGFloat scale = picture->scale();
    for (int64_t row = 0; row < 11; ++row) {
        table->scrollToRowAtIndexPath({0, row}, UITableViewScrollPosition::Top, false);
        auto own = snapshot(*table->cellForRowAtIndexPath({0, row}), scale);
        int differing = 0;
        for (int y = 0; y < int(own->size().height * scale); y += 2)
            for (int x = 0; x < int(own->size().width * scale); x += 2) {
                RGBA want = pixelAt(*own, x, y);
                differing += !isNear(pixelAt(*picture, x, int(row * 100 * scale) + y), want.r, want.g, want.b, want.a);
            }
        EXPECT_EQ(differing, 0) << "row " << row;
    }

    const render::ShareOutcome& saved = render::ShareSheetSaver::saveIfNeeded(*sheet());
    ASSERT_TRUE(saved.saved) << saved.message;
    ASSERT_EQ(saved.files.size(), 1u);
    EXPECT_EQ(saved.files[0].parent_path(), home.path() / "Pictures");
    EXPECT_TRUE(UIImage::imageWithContentsOfFile(saved.files[0]));
}


// The note stays answerable while the chart row is captured, and still exactly one sheet comes.
TEST_F(SolutionPageTest, RowHeightsComeFromTheConfigurationTheTableAndTheChartRatioAndAChartIsSharedWhole) {
    handOver(exampleSteps(), {{std::make_shared<UnitCircleChartData>(0.0, 0.0, 0.0, 0, Quadrant::first)}},
             std::map<int64_t, CGFloat>{{0, 160.0}});  // a chart row's own index is no step's
    EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, 0}).size.height, 160.0);
    EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({0, 1}).size.height, 100.0);
    EXPECT_DOUBLE_EQ(table->rectForRowAtIndexPath({1, 0}).size.height, page.view()->frame().size.width / 2.0);
    table->scrollToRowAtIndexPath({1, 0}, UITableViewScrollPosition::Top, false);
    auto chart = std::dynamic_pointer_cast<ChartTableViewCell>(table->cellForRowAtIndexPath({1, 0}));
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->backgroundColor(), UIColor::clearColor());
    ASSERT_EQ(chart->contentView()->subviews().size(), 1u);
    // Half a second after the chart row came into view its animation starts again.
    h.finishAnimations();
    auto chartView = chart->contentView()->subviews().front();
    EXPECT_FALSE(chartView->hasRunningAnimations());
    table->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPosition::Top, false);
    table->scrollToRowAtIndexPath({1, 0}, UITableViewScrollPosition::Top, false);
    h.advance(0.4);
    EXPECT_FALSE(chartView->hasRunningAnimations());
    h.advance(0.2);
    EXPECT_TRUE(chart->contentView()->subviews().front()->hasRunningAnimations());

    ASSERT_TRUE(h.tapAccessibilityIdentifier("shareButton"));
    EXPECT_TRUE(overlayShown());
    EXPECT_TRUE(isTakingScreenshot);
    ASSERT_TRUE(h.tapAlertAction("OK"));
    EXPECT_FALSE(sheet());
    h.advance(1.9);
    EXPECT_FALSE(sheet());
    h.advance(0.2);
    h.finishAnimations();
    ASSERT_TRUE(sheet());
    EXPECT_FALSE(overlayShown());
    EXPECT_FALSE(isTakingScreenshot);
    ASSERT_TRUE(sharedPicture());
    EXPECT_DOUBLE_EQ(sharedPicture()->size().height, 10 * 100.0 + 160.0 + page.view()->frame().size.width / 2.0);
    h.advance(5);
    EXPECT_EQ(h.topViewController(), sheet());
}

TEST(SolutionPageShareSheet, OnAPadItHangsFromAStripAlongTheBottomEdge) {
    Harness h({.screenSize = {820, 1180}, .idiom = UIUserInterfaceIdiom::Pad});
    ShownScreen screen(h);
    SolutionViewController::presentShareSheet({}, *screen.controller);
    EXPECT_FALSE(h.presented<UIActivityViewController>());

    auto picture = std::make_shared<UIImage>(CGSize{10, 10}, 1);
    SolutionViewController::presentShareSheet({picture}, *screen.controller);
    h.finishAnimations();
    auto sheet = h.presented<UIActivityViewController>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->activityItemsOfType<std::shared_ptr<UIImage>>(), (std::vector<std::shared_ptr<UIImage>>{picture}));
    ASSERT_TRUE(sheet->popoverPresentationController());
    EXPECT_EQ(sheet->popoverPresentationController()->sourceView(), screen.controller->view());
    EXPECT_EQ(sheet->popoverPresentationController()->sourceRect(), (CGRect{0, 1180, 820, 50}));
}

TEST(SolutionPageScreenshot, StackedImagesAreAsWideAsTheWidestAndClearBesideNarrowerOnes) {
    Harness h;
    auto stacked = combineImagesVertically({solidImage({100, 20}, 1, 1, 0, 0), solidImage({50, 30}, 1, 1, 0, 0)});
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->size(), (CGSize{100, 50}));
    const int s = int(stacked->scale());
    expectPixels(*stacked, {{90 * s, 10 * s, kRed}, {40 * s, 40 * s, kRed}, {75 * s, 40 * s, kClear}});
    EXPECT_FALSE(combineImagesVertically({}));
}
