#include <gtest/gtest.h>

#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/LocalizedAppName.hpp"
#include "Radixel/services/ThemeColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "tests/Radixel/math/SolverTestSupport.hpp"

namespace {

class CalculateScreenTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override { launch(Answers{}); }

    // The collapsed cursor of the field, or none without one.
    std::optional<int64_t> cursor(UITextField& field) {
        auto range = field.selectedTextRange();
        if (!range || !range->isEmpty()) return std::nullopt;
        return range->start.offset;
    }

    // The toasts on screen, oldest first.
    std::vector<std::string> toasts() {
        std::vector<std::string> texts;
        for (const auto& view : h.rootViewController()->view()->subviews())
            if (auto label = std::dynamic_pointer_cast<UILabel>(view)) texts.push_back(label->text().value_or(""));
        return texts;
    }
};

}  // namespace

// Where a key goes in and what Delete takes is the editing rules' own test; here the keys reach
// the field that began editing, at its selection.
TEST_F(CalculateScreenTest, KeysAndDeleteEditTheFieldThatBeganEditingAtItsSelectionUnlessACalculationRuns) {
    type("0123456789./-");  // every key, with no field to take it
    EXPECT_EQ(p().text() + q().text(), "");

    enter("-2.4", "7/3");
    EXPECT_EQ(p().text() + " " + q().text(), "-2.4 7/3");
    EXPECT_EQ(cursor(q()), 3);

    h.select(calculate().qTextField, 1, 2);
    type("5");
    EXPECT_EQ(q().text(), "753");
    EXPECT_EQ(cursor(q()), 2);
    h.select(calculate().qTextField, 1, 3);
    tapDelete();
    EXPECT_EQ(p().text() + " " + q().text(), "-2.4 7");
    EXPECT_EQ(cursor(q()), 1);

    // While a calculation runs the handlers do nothing; Clear still records the tap.
    isCalculating = true;
    type("4");
    tapDelete();
    tapClear();
    isCalculating = false;
    EXPECT_EQ(q().text(), "7");
    EXPECT_EQ(h.analytics().eventsNamed("tapped_clear").size(), 1u);
}

TEST_F(CalculateScreenTest, InputErrorsMarkTheFieldAtFaultAndChangeNothingElseUntilASolutionFillsPageOne) {
    // The example of the first start is the only entry.
    ASSERT_EQ(CalcManager::shared().calculations.size(), 1u);
    enter("", "-2");
    tapCalculate();
    EXPECT_EQ(p().borderColor(), UIColor::orangeColor());
    EXPECT_EQ(q().borderColor(), ThemeColor::textFieldBorder());
    EXPECT_EQ(toasts(), (std::vector<std::string>{NSLocalizedString("notEnoughInputValues", "")}));
    EXPECT_EQ(pages().selectedIndex(), 0u);
    EXPECT_EQ(q().text(), "-2");

    enter("1", "//2");  // q: -2//2
    tapCalculate();
    EXPECT_EQ(q().borderColor(), UIColor::redColor());
    EXPECT_EQ(p().borderColor(), ThemeColor::textFieldBorder());  // the earlier marking is gone
    EXPECT_EQ(toasts().back(), NSLocalizedString("inputParameterError", ""));

    EXPECT_EQ(CalcManager::shared().calculations.size(), 1u);
    EXPECT_TRUE(solution().solutionSteps.empty());
    EXPECT_TRUE(h.analytics().eventsNamed("ketu_calculate").empty());
    EXPECT_EQ(h.analytics().eventsNamed("ketu_got_error").size(), 2u);

    // Cleared, a solution fills page one and the history.
    ASSERT_TRUE(tapClear());
    enter("-2.4", "7/3");
    ASSERT_TRUE(tapCalculate());

    EXPECT_EQ(pages().selectedIndex(), 1u);
    Steps expected = runSolver("-2.4", "7/3").solutionSteps.value_or(Steps{});  // what the solver gives alone
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(solution().solutionSteps, expected);
    EXPECT_EQ(solution().tableView->numberOfRowsInSection(0), static_cast<int64_t>(expected.size()));

    // Calculating again shows the new first step at the top, wherever the list was scrolled to.
    solution().tableView->setContentOffset({0, 400});
    h.tapAccessibilityIdentifier("toolbarRemoveButton");
    enter("-2.4", "7/3");
    ASSERT_TRUE(tapCalculate());
    EXPECT_EQ(solution().tableView->contentOffset().y, -solution().tableView->contentInset().top);

    auto events = h.analytics().eventsNamed("ketu_calculate");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].parameters, (nlohmann::json{{"solutionStepsCount", expected.size()}}));

    const auto& history = CalcManager::shared().calculations;
    ASSERT_EQ(history.size(), 3u);  // the first start's example, then these
    EXPECT_EQ(history[0].inputParameters, (std::map<std::string, std::string>{{"p", "-2.4"}, {"q", "7/3"}}));
    // The summary shows the solver's p and q, as fractions since one was typed.
    EXPECT_EQ(history[0].latexString, "p = \\frac{-24}{10} \\quad q = \\frac{7}{3}");
    EXPECT_FALSE(isCalculating);
}

TEST_F(CalculateScreenTest, ClearEmptiesBothPagesAndANewPageShowsTheLastInputsUnlessAnEntryWasPicked) {
    enter("1/2", "3");
    tapCalculate();
    ASSERT_FALSE(solution().solutionSteps.empty());

    CalcManager::shared().currentSelectedCalculation = CalcManager::shared().calculations.back();
    ASSERT_TRUE(tapClear());
    EXPECT_EQ(pages().selectedIndex(), 0u);
    EXPECT_TRUE(solution().solutionSteps.empty());
    EXPECT_EQ(solution().tableView->numberOfRowsInSection(0), 0);
    EXPECT_EQ(p().text() + q().text(), "");
    EXPECT_TRUE(calculate().solutionSteps.empty());
    EXPECT_FALSE(CalcManager::shared().currentCalculation || CalcManager::shared().currentSelectedCalculation);
    EXPECT_EQ(h.analytics().eventsNamed("tapped_clear").size(), 1u);
    // The history keeps what was calculated.
    EXPECT_EQ(CalcManager::shared().calculations.size(), 2u);
    // The launch and the return to the page each count towards the rating prompt.
    EXPECT_EQ(DefaultsKeys::counterForRating.get(), 3);

    // A calculate page outside the page tabs shows the last inputs, the calculate page having
    // disappeared, and reaches the solution page by notification.
    enter("1", "2");
    tapCalculate();
    auto lone = std::make_shared<AppDelegate>()->calculateViewController();
    lone->loadViewIfNeeded();
    EXPECT_EQ(lone->pTextField->text() + " " + lone->qTextField->text(), "1 2");
    lone->handleClearAllButton();
    EXPECT_TRUE(solution().solutionSteps.empty());

    // A history entry picked wins over the last inputs, once.
    CalcManager::shared().currentCalculation = CalcManager::shared().calculations.front();
    CalcManager::shared().currentSelectedCalculation = CalcManager::shared().calculations.back();
    auto picked = std::make_shared<AppDelegate>()->calculateViewController();
    picked->loadViewIfNeeded();
    EXPECT_EQ(picked->pTextField->text(), "-2.4");
    EXPECT_FALSE(CalcManager::shared().currentSelectedCalculation);
}

// Around the keys: their icons, the Clear title, the tabs on top, the brand bar, the drawer's bar naming the app.
TEST_F(CalculateScreenTest, TheKeysIconsTheTabsAndBothBarsAreInPlace) {
    EXPECT_EQ(calculate().deleteButton->currentImage()->name() + calculate().calculateButton->currentImage()->name(),
              "ic_arrow_back_whiteic_check_white");
    EXPECT_EQ(calculate().clearAllButton->currentTitle(), NSLocalizedString("Clear", ""));
    EXPECT_EQ(std::pair(pages().tabBar()->frame().origin.y, toolbar()->toolbar()->backgroundColor()),
              std::pair(0.0, std::optional(KeTuColor::color2())));
    auto menuBar = std::dynamic_pointer_cast<Material::ToolbarController>(drawer()->leftViewController())->toolbar();
    EXPECT_EQ(std::tuple(*menuBar->title(), menuBar->frame().minY(), menu().view()->frame().minY()),
              std::tuple("  " + localizedAppName() + "  ", 0.0, 90.0));  // the menu right under the 90 pt bar
}
