#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Radixel/screens/history/HistoryTableViewCell.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "platform/foundation/NSBundle.hpp"

namespace {

using nlohmann::json;
using Lines = std::vector<std::string>;

constexpr CGFloat rowHeight = 64;

Calculation entry(const std::string& p, const std::string& q) {
    Calculation calculation;
    calculation.inputParameters = {{"p", p}, {"q", q}};
    calculation.latexString = "p = " + p + " \\quad q = " + q;
    calculation.setupParameter = {{"appKey", "ZV"}};
    return calculation;
}

// The application with a history of its own, newest first: "p = 4 ...", "p = 3 ...", ...
class HistoryTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override {
        launch(Answers{});
        CalcManager& store = CalcManager::shared();
        store.removeCalculation(0);  // the first start's example
        for (int i = 1; i <= 4; ++i) store.addCalculation(entry(std::to_string(i), "-" + std::to_string(i)));
    }

    std::shared_ptr<HistoryTableViewCell> cell(HistoryTableViewController& history, int64_t row) {
        return std::dynamic_pointer_cast<HistoryTableViewCell>(history.tableView()->cellForRowAtIndexPath({0, row}));
    }
    // What the rows show, top to bottom.
    Lines shownRows(HistoryTableViewController& history) {
        Lines lines;
        for (int64_t row = 0; row < history.tableView()->numberOfRowsInSection(0); ++row)
            lines.push_back(cell(history, row)->mathLabel->latex());
        return lines;
    }
    static Lines storedRows() {
        Lines lines;
        for (const json& record : DefaultsKeys::calculations.get()) lines.push_back(record.value("latexString", "?"));
        return lines;
    }
    static Lines latex(std::initializer_list<int> numbers) {
        Lines lines;
        for (int i : numbers) lines.push_back(entry(std::to_string(i), "-" + std::to_string(i)).latexString);
        return lines;
    }
    // Drags the row by its reorder control over a number of rows (down when positive).
    bool drag(HistoryTableViewController& history, int64_t row, int rows) {
        auto handle = cell(history, row)->reorderControl();
        CGPoint grip{22, rowHeight / 2};
        return h.drag(handle, grip, {grip.x, grip.y + rows * rowHeight});
    }
};

}  // namespace

TEST_F(HistoryTest, ListsTheStoreNewestFirstUnderItsOwnToolbarItems) {
    auto history = openHistory();
    EXPECT_EQ(shownRows(*history), latex({4, 3, 2, 1}));
    EXPECT_EQ(toolbar()->toolbar()->title(), NSLocalizedString("History", ""));
    EXPECT_EQ(toolbar()->toolbar()->rightViews(),
              (std::vector<std::shared_ptr<UIView>>{history->clearAllButton, history->editButton}));

    ASSERT_TRUE(h.tap(history->editButton));
    EXPECT_TRUE(history->tableView()->isEditing());
    for (int64_t row = 0; row < 4; ++row) {
        EXPECT_EQ(cell(*history, row)->editingStyle(), UITableViewCellEditingStyle::Delete);
        ASSERT_TRUE(cell(*history, row)->reorderControl());
        EXPECT_TRUE(h.isTouchable(cell(*history, row)->reorderControl()));
    }
    ASSERT_TRUE(h.tap(history->editButton));
    EXPECT_FALSE(history->tableView()->isEditing());
}

TEST_F(HistoryTest, TappingAnEntryReopensItInNewPagesWithTheMenuClosed) {
    auto launchedToolbar = toolbar();
    auto history = openHistory();
    ASSERT_TRUE(h.tapRow(history->tableView(), {0, 2}));
    h.finishAnimations();

    auto events = h.analytics().events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].name, "tapped_history_item");
    EXPECT_EQ(events[0].parameters,
              (json{{"calc_parameters", {{"p", "2"}, {"q", "-2"}}}, {"latex_string", latex({2})[0]}}));
    EXPECT_FALSE(drawer()->isLeftViewOpened());
    ASSERT_NE(toolbar(), launchedToolbar);
    auto page = shownPage<CalculateViewController>();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->pTextField->text(), "2");
    EXPECT_EQ(page->qTextField->text(), "-2");
    // The new page took the pick, so a later page starts from what the user types instead.
    EXPECT_FALSE(CalcManager::shared().currentSelectedCalculation);
}

TEST_F(HistoryTest, ASwipeDeletesOneEntryUntilNoneIsLeft) {
    auto history = openHistory();
    auto row = cell(*history, 1);
    ASSERT_TRUE(h.swipe(row, {300, rowHeight / 2}, {100, rowHeight / 2}));
    ASSERT_TRUE(h.tap(row->deleteConfirmationButton()));
    EXPECT_EQ(h.analytics().names(), Lines{"tapped_history_delete_single_calc"});
    EXPECT_EQ(shownRows(*history), latex({4, 2, 1}));
    EXPECT_EQ(storedRows(), latex({4, 2, 1}));

    // The delete control in editing mode ends the same way, down to an empty stored list.
    h.tap(history->editButton);
    while (history->tableView()->numberOfRowsInSection(0) > 0) {
        auto first = cell(*history, 0);
        ASSERT_TRUE(h.tap(first->editControl()));
        ASSERT_TRUE(h.tap(first->deleteConfirmationButton()));
    }
    EXPECT_EQ(h.analytics().eventsNamed("tapped_history_delete_single_calc").size(), 4u);
    EXPECT_EQ(CalcManager::shared().userDefaults->objectForKey("Calculations"), json::array());
}

TEST_F(HistoryTest, ADraggedRowLandsWhereItIsDroppedAndARestartKeepsTheOrder) {
    auto history = openHistory();
    h.tap(history->editButton);
    // Over several rows the rows passed move up by one; they are not exchanged with the dragged one.
    struct Drag {
        int64_t row;
        int by;
        Lines after;
    };
    for (const Drag& move : {Drag{0, 1, latex({3, 4, 2, 1})}, Drag{0, 3, latex({4, 2, 1, 3})},
                             Drag{3, -2, latex({4, 3, 2, 1})}, Drag{3, -3, latex({1, 4, 3, 2})}}) {
        ASSERT_TRUE(drag(*history, move.row, move.by));
        EXPECT_EQ(shownRows(*history), move.after);
        EXPECT_EQ(storedRows(), move.after);
    }
    EXPECT_TRUE(h.analytics().events().empty());

    restart();
    EXPECT_EQ(shownRows(*openHistory()), latex({1, 4, 3, 2}));
}

TEST_F(HistoryTest, ClearingAsksFirstAndCountsWhatItRemoved) {
    auto history = openHistory();
    ASSERT_TRUE(h.tap(history->clearAllButton));
    auto alert = h.presentedAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), NSLocalizedString("Clear History", ""));
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

TEST_F(HistoryTest, RowsTheHistoryDoesNotHaveChangeNothing) {
    auto history = openHistory();
    auto table = history->tableView();
    history->tableViewCommitEditingStyle(table, UITableViewCellEditingStyle::Delete, {0, 4});
    history->tableViewCommitEditingStyle(table, UITableViewCellEditingStyle::Insert, {0, 0});
    history->tableViewMoveRowAtIndexPath(table, {0, 9}, {0, 0});
    history->tableViewMoveRowAtIndexPath(table, {0, 0}, {0, -1});
    history->tableViewDidSelectRowAtIndexPath(table, {0, 4});
    EXPECT_EQ(storedRows(), latex({4, 3, 2, 1}));
    EXPECT_EQ(shownRows(*history), latex({4, 3, 2, 1}));
    EXPECT_TRUE(h.analytics().events().empty());
}
