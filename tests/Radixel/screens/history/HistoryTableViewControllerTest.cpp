#include <gtest/gtest.h>

#include <tuple>

#include "Radixel/screens/history/HistoryTableViewCell.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"

namespace {

using nlohmann::json;
using Event = uikit::testing::AnalyticsRecorder::Event;
using Lines = std::vector<std::string>;

constexpr CGFloat rowHeight = 64;

// The summaries of the entries numbered so: "p = 2 \quad q = -2" for 2.
Lines latex(std::initializer_list<int> numbers) {
    Lines lines;
    for (int i : numbers) lines.push_back("p = " + std::to_string(i) + " \\quad q = -" + std::to_string(i));
    return lines;
}

// The history screen, reached through the menu, over a history of its own, newest first:
// entry 4, 3, 2, 1.
class HistoryTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override {
        launch(Answers{});
        CalcManager& store = CalcManager::shared();
        store.removeCalculation(0);  // the first start's example
        for (int i = 1; i <= 4; ++i) {
            Calculation entry;
            entry.inputParameters = {{"p", std::to_string(i)}, {"q", "-" + std::to_string(i)}};
            entry.latexString = latex({i})[0];
            store.addCalculation(entry);
        }
        history = openHistory();
    }

    std::shared_ptr<HistoryTableViewCell> cell(int64_t row) {
        return std::dynamic_pointer_cast<HistoryTableViewCell>(history->tableView()->cellForRowAtIndexPath({0, row}));
    }
    // What the rows show, top to bottom.
    Lines shownRows() {
        Lines lines;
        for (int64_t row = 0; row < history->tableView()->numberOfRowsInSection(0); ++row)
            lines.push_back(cell(row)->mathLabel->latex());
        return lines;
    }
    static Lines storedRows() {
        Lines lines;
        for (const json& record : DefaultsKeys::calculations.get()) lines.push_back(record.value("latexString", "?"));
        return lines;
    }
    // Shown and stored alike.
    void expectRows(const Lines& rows) {
        EXPECT_EQ(shownRows(), rows);
        EXPECT_EQ(storedRows(), rows);
    }

    std::shared_ptr<HistoryTableViewController> history;
};

}  // namespace

// The rows' controls in editing mode are used by the delete and drag tests.
TEST_F(HistoryTest, ListsTheStoreNewestFirstUnderItsOwnToolbarItemsAndATappedEntryReopensInNewPages) {
    EXPECT_EQ(toolbar()->toolbar()->title(), NSLocalizedString("History", ""));
    EXPECT_EQ(toolbar()->toolbar()->rightViews(),
              (std::vector<std::shared_ptr<UIView>>{history->clearAllButton, history->editButton}));
    ASSERT_TRUE(h.tap(history->editButton));
    EXPECT_TRUE(history->tableView()->isEditing());
    ASSERT_TRUE(h.tap(history->editButton));
    EXPECT_FALSE(history->tableView()->isEditing());

    auto table = history->tableView();
    history->tableViewCommitEditingStyle(table, UITableViewCellEditingStyle::Delete, {0, 4});
    history->tableViewCommitEditingStyle(table, UITableViewCellEditingStyle::Insert, {0, 0});
    history->tableViewMoveRowAtIndexPath(table, {0, 9}, {0, 0});
    history->tableViewMoveRowAtIndexPath(table, {0, 0}, {0, -1});
    history->tableViewDidSelectRowAtIndexPath(table, {0, 4});
    expectRows(latex({4, 3, 2, 1}));
    EXPECT_TRUE(h.analytics().events().empty());

    // Tapping an entry reopens it in new pages with the menu closed. The new page takes the pick, so
    // a later page starts from what the user types instead.
    auto shownToolbar = toolbar();
    ASSERT_TRUE(h.tapRow(history->tableView(), {0, 2}));
    h.finishAnimations();
    json item = {{"calc_parameters", {{"p", "2"}, {"q", "-2"}}}, {"latex_string", latex({2})[0]}};
    EXPECT_EQ(h.analytics().events(), (std::vector<Event>{{"tapped_history_item", item}}));
    EXPECT_FALSE(drawer()->isLeftViewOpened());
    ASSERT_NE(toolbar(), shownToolbar);
    auto page = shownPage<CalculateViewController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->pTextField->text() + " " + page->qTextField->text(), "2 -2");
    EXPECT_FALSE(CalcManager::shared().currentSelectedCalculation || CalcManager::shared().currentCalculation);
    EXPECT_FALSE(DefaultsKeys::currentSelectedCalculation.get());
}

// A swipe, or the delete control in editing mode, down to an empty stored list.
TEST_F(HistoryTest, ASwipeDeletesOneEntryUntilNoneIsLeft) {
    auto row = cell(1);
    ASSERT_TRUE(h.swipe(row, {300, rowHeight / 2}, {100, rowHeight / 2}));
    ASSERT_TRUE(h.tap(row->deleteConfirmationButton()));
    EXPECT_EQ(h.analytics().names(), Lines{"tapped_history_delete_single_calc"});
    expectRows(latex({4, 2, 1}));

    h.tap(history->editButton);
    while (history->tableView()->numberOfRowsInSection(0) > 0) {
        ASSERT_TRUE(h.tap(cell(0)->editControl()));
        ASSERT_TRUE(h.tap(cell(0)->deleteConfirmationButton()));
    }
    EXPECT_EQ(h.analytics().eventsNamed("tapped_history_delete_single_calc").size(), 4u);
}

// Over several rows the rows passed move up by one; they are not exchanged with the dragged one.
TEST_F(HistoryTest, ADraggedRowLandsWhereItIsDroppedShownAndStored) {
    h.tap(history->editButton);
    // Each row dragged by that many rows, down when positive.
    for (auto [row, by, after] : std::vector<std::tuple<int64_t, int, Lines>>{
             {0, 1, latex({3, 4, 2, 1})}, {0, 3, latex({4, 2, 1, 3})}, {3, -2, latex({4, 3, 2, 1})},
             {3, -3, latex({1, 4, 3, 2})}}) {
        CGPoint grip{22, rowHeight / 2};
        ASSERT_TRUE(h.drag(cell(row)->reorderControl(), grip, {grip.x, grip.y + by * rowHeight}));
        expectRows(after);
    }
    EXPECT_TRUE(h.analytics().events().empty());
}

TEST_F(HistoryTest, ClearingAsksFirstAndCountsWhatItRemoved) {
    ASSERT_TRUE(h.tap(history->clearAllButton));
    EXPECT_EQ(alertTitle(), NSLocalizedString("Clear History", ""));
    ASSERT_TRUE(h.tapAlertAction(NSLocalizedString("Cancel", "")));
    EXPECT_EQ(storedRows().size(), 4u);
    EXPECT_TRUE(h.analytics().events().empty());

    for (int64_t count : {4, 0}) {
        ASSERT_TRUE(h.tap(history->clearAllButton));
        ASSERT_TRUE(h.tapAlertAction(NSLocalizedString("Clear", "")));
        EXPECT_EQ(h.analytics().eventsNamed("tapped_history_clear").back().parameters, (json{{"calc_count", count}}));
        EXPECT_EQ(history->tableView()->numberOfRowsInSection(0), 0);
        EXPECT_EQ(CalcManager::shared().userDefaults->objectForKey("Calculations"), json::array());
    }
}
