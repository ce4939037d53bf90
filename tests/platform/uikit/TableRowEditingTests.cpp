// Editing table rows by touch, driven through the harness as a finger (or the mouse) does it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/uikit/TableModel.hpp"
#include "platform/uikit/TouchTracker.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"

using uikit::testing::Harness;
using namespace table_testing;

namespace {

constexpr CGFloat rowHeight = 44;

class TableRowEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        rows->sections = {{"a", "b", "c", "d", "e", "f"}};
        window->addSubview(table);
        window->makeKeyAndVisible();
        h.runUntilIdle();
    }
    std::shared_ptr<UITableViewCell> cell(int64_t row) { return table->cellForRowAtIndexPath({0, row}); }
    bool revealDelete(int64_t row) { return h.swipe(cell(row), {300, 22}, {150, 22}); }
    bool showsDelete() { return table->indexPathForRowShowingDeleteConfirmation().has_value(); }
    std::vector<std::string> shownTexts()
    {
        std::vector<std::string> texts;
        for (int64_t row = 0; row < table->numberOfRowsInSection(0); ++row) {
            auto c = cell(row);
            texts.push_back(c ? c->textLabel()->text().value_or("") : "?");
        }
        return texts;
    }
    void editing(bool on)
    {
        table->setEditing(on, true);
        h.runUntilIdle();
    }

    Harness h;
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    Fixture f{window->bounds(), rowHeight};
    std::shared_ptr<Model>& rows = f.model;
    std::shared_ptr<UITableView>& table = f.table;
};

} // namespace

// Deleting through the button is walked end to end on the history screen; these are the rules around it.
TEST_F(TableRowEditing, AWideSwipeRevealsDeleteWhichATapElsewhereOrASwipeBackHides)
{
    // Each hides the button, and a tap elsewhere does nothing else.
    struct Hiding {
        const char* how;
        std::function<bool()> act;
        bool taken;
    };
    for (const Hiding& hiding : {Hiding{"tap on another row", [&] { return h.tap(cell(3)); }, false},
                                 Hiding{"tap through the table", [&] { return h.tapRow(table, {0, 4}); }, false},
                                 Hiding{"swipe back", [&] { return h.swipe(cell(2), {100, 22}, {300, 22}); }, true},
                                 Hiding{"tap on the row itself", [&] { return h.tap(cell(2), {100, 22}); }, true}}) {
        SCOPED_TRACE(hiding.how);
        ASSERT_TRUE(revealDelete(2));
        EXPECT_EQ(table->indexPathForRowShowingDeleteConfirmation(), (NSIndexPath{0, 2}));
        auto button = cell(2)->deleteConfirmationButton();
        ASSERT_TRUE(button && h.isTouchable(button));
        EXPECT_EQ(button->frame().maxX(), cell(2)->bounds().maxX());
        // The row's content moved aside for it.
        EXPECT_EQ(cell(2)->contentView()->frame().minX(), -button->frame().size.width);
        EXPECT_EQ(hiding.act(), hiding.taken);
        EXPECT_FALSE(showsDelete());
        EXPECT_EQ(cell(2)->contentView()->frame().minX(), 0);
    }
    EXPECT_TRUE(rows->selected.empty());
    EXPECT_TRUE(revealDelete(2) && h.swipe(cell(2), {200, 22}, {180, 22}) && showsDelete()); // pulled further, it stays

    // Too short, mostly vertical, or on a row that cannot be edited: nothing shows.
    EXPECT_TRUE(h.swipe(cell(1), {300, 22}, {280, 22}));
    EXPECT_FALSE(showsDelete());
    EXPECT_FALSE(h.drag(cell(1), {200, 5}, {170, 40}));
    EXPECT_FALSE(showsDelete());
    rows->lockedRow = 3;
    EXPECT_FALSE(h.swipe(cell(3), {300, 22}, {100, 22}));
    EXPECT_FALSE(showsDelete());

    // A tap on a row with nothing shown still selects it.
    EXPECT_TRUE(h.tap(cell(4)));
    EXPECT_EQ(rows->selected, (std::vector<NSIndexPath>{{0, 4}}));
}

TEST_F(TableRowEditing, EditingShowsTouchableDeleteAndReorderControlsOnEveryRow)
{
    editing(true);
    EXPECT_FALSE(revealDelete(3) || showsDelete()); // in editing Delete comes from the row's control
    for (const auto& shown : table->visibleCells()) {
        auto minus = shown->editControl();
        auto handle = shown->reorderControl();
        ASSERT_TRUE(minus && handle);
        EXPECT_TRUE(h.isTouchable(minus) && h.isTouchable(handle));
        // The content sits between the two controls.
        EXPECT_EQ(shown->contentView()->frame().minX(), minus->frame().maxX());
        EXPECT_EQ(shown->contentView()->frame().maxX(), handle->frame().minX());
    }
    // A row that cannot be edited has no delete control.
    rows->lockedRow = 2;
    table->reloadData();
    h.runUntilIdle();
    EXPECT_TRUE(!cell(2)->editControl() || cell(2)->editControl()->isHidden());
    EXPECT_TRUE(cell(2)->reorderControl() && !cell(2)->reorderControl()->isHidden());

    // The delete control reveals Delete in place of the reorder control.
    EXPECT_TRUE(h.tap(cell(1)->editControl()));
    EXPECT_EQ(table->indexPathForRowShowingDeleteConfirmation(), (NSIndexPath{0, 1}));
    EXPECT_TRUE(cell(1)->reorderControl()->isHidden());

    // Ending editing takes the controls away; without movable rows there is no handle.
    editing(false);
    for (const auto& shown : table->visibleCells()) {
        EXPECT_TRUE(shown->editControl()->isHidden());
        EXPECT_TRUE(shown->reorderControl()->isHidden());
        EXPECT_EQ(shown->contentView()->frame(), shown->bounds());
    }
    rows->movable = false;
    table->reloadData();
    editing(true);
    for (const auto& shown : table->visibleCells()) {
        EXPECT_TRUE(!shown->reorderControl() || shown->reorderControl()->isHidden());
    }
}

TEST_F(TableRowEditing, DraggingByTheReorderControlMovesRowsLiveAndTellsTheDataSourceOnceWhereItIsLetGo)
{
    editing(true);
    auto first = cell(0);
    auto second = cell(1);
    // The centre of a row's reorder control, in the control's coordinates.
    const CGPoint start{UITableViewCellReorderControl::width / 2, rowHeight / 2};
    CGPoint at = first->reorderControl()->convertPointToView(start, window.get());
    uikit::TouchTracker finger;
    ASSERT_TRUE(finger.began(window, at));
    finger.moved({at.x, at.y + rowHeight + 30});
    h.runUntilIdle(); // a layout pass keeps the live positions
    EXPECT_EQ(table->reorderDestination(), (NSIndexPath{0, 1}));
    EXPECT_EQ(first->frame().minY(), rowHeight + 30);
    EXPECT_EQ(second->frame().minY(), 0);
    EXPECT_EQ(cell(2)->frame().minY(), 2 * rowHeight);
    EXPECT_TRUE(rows->moves.empty());
    // The dragged row is lifted over the others.
    EXPECT_EQ(table->subviews().back(), first);
    EXPECT_GT(first->layer()->shadowOpacity(), 0);
    EXPECT_TRUE(finger.ended({at.x, at.y + rowHeight + 30}));
    EXPECT_EQ(rows->moves, (std::vector<Move>{{{0, 0}, {0, 1}}}));
    EXPECT_FALSE(table->reorderDestination());
    EXPECT_EQ(first->layer()->shadowOpacity(), 0);
    EXPECT_FALSE(first->backgroundColor());
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"b", "a", "c", "d", "e", "f"}));

    // Far past the last row it lands last.
    rows->moves.clear();
    EXPECT_TRUE(h.drag(cell(1)->reorderControl(), start, {start.x, start.y + 20 * rowHeight}));
    EXPECT_EQ(rows->moves, (std::vector<Move>{{{0, 1}, {0, 5}}}));
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"b", "c", "d", "e", "f", "a"}));

    // Back where it started, the data source hears nothing.
    rows->moves.clear();
    at = cell(2)->reorderControl()->convertPointToView(start, window.get());
    finger.began(window, at);
    finger.moved({at.x, at.y + 2 * rowHeight});
    finger.moved(at);
    EXPECT_TRUE(finger.ended(at));
    EXPECT_TRUE(rows->moves.empty());
    EXPECT_EQ(cell(2)->frame().minY(), 2 * rowHeight);
}
