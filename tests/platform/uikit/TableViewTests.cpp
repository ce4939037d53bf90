#include <gtest/gtest.h>

#include <vector>

#include "platform/uikit/TableModel.hpp"

using namespace table_testing;

namespace {

class StepCell : public UITableViewCell {
public:
    static constexpr const char* cellIdentifier = "stepCell";
    using UITableViewCell::UITableViewCell;
};

} // namespace

TEST(UITableView, OnlyVisibleRowsHaveCellsAndScrollingReusesThem)
{
    Fixture f;
    f.model->sections = {std::vector<std::string>(10, "x")};
    f.table->reloadData();
    EXPECT_EQ(f.model->cellRequests, (std::vector<NSIndexPath>{{0, 0}, {0, 1}, {0, 2}}));
    auto cell = f.table->cellForRowAtIndexPath({0, 1});
    ASSERT_TRUE(std::dynamic_pointer_cast<NoteCell>(cell));
    EXPECT_EQ(cell->frame(), (CGRect{0, 100, 320, 100}));
    EXPECT_EQ(f.table->cellForRowAtIndexPath({0, 5}), nullptr);

    // Each from where the one before left it; near the end the offset stops at the last screenful.
    using P = UITableViewScrollPosition;
    for (auto [row, position, offset, first] : {std::tuple{5, P::Top, 500.0, 5}, {9, P::Top, 700.0, 7}, {3, P::Middle, 200.0, 2},
                                                {4, P::Bottom, 200.0, 2}, {9, P::None, 700.0, 7}, {1, P::None, 100.0, 1}}) {
        f.table->scrollToRowAtIndexPath({0, row}, position, false);
        EXPECT_EQ(f.table->contentOffset().y, offset) << row;
        EXPECT_EQ(f.table->indexPathsForVisibleRows(), (std::vector<NSIndexPath>{{0, first}, {0, first + 1}, {0, first + 2}})) << row;
    }
    f.table->setContentOffset({0, 123.5}, false);
    EXPECT_EQ(f.table->contentOffset().y, 123.5);
    EXPECT_LE(f.table->visibleCells().size() + f.table->numberOfReusableCells(), 6u);

    // Counts follow the last reload, not the model.
    f.model->sections[0].push_back("y");
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 10);
    f.table->reloadData();
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 11);
    EXPECT_EQ(f.table->numberOfRowsInSection(7), 0);

    // The table does not keep its data source alive, and reloads without it.
    f.model.reset();
    f.table->reloadData();
    EXPECT_TRUE(f.table->numberOfSections() == 0 && f.table->subviews().empty());
}

TEST(UITableView, HeadersFootersAndTheTablesOwnViewsPlaceTheRows)
{
    Fixture f({0, 0, 320, 300}, 44);
    f.model->sections = {{"a"}, {"b"}};
    f.model->headerViewHeights = {0, 30}; // no height callback: the views' heights count
    f.table->reloadData();
    EXPECT_EQ(f.table->rectForHeaderInSection(0).size.height, 0);
    EXPECT_EQ(f.table->rectForHeaderInSection(1), (CGRect{0, 44, 320, 30}));
    EXPECT_EQ(f.table->rectForRowAtIndexPath({1, 0}).origin.y, 74);
    EXPECT_EQ(f.table->rectForFooterInSection(1).size.height, 0);

    f.table->setTableHeaderView(std::make_shared<UIView>(CGRect{0, 0, 1, 50}));
    f.table->setTableFooterView(std::make_shared<UIView>(CGRect{0, 0, 0, 75}));
    EXPECT_EQ(f.table->rectForRowAtIndexPath({0, 0}).origin.y, 50);
    EXPECT_EQ(f.table->tableFooterView()->frame(), (CGRect{0, 168, 320, 75}));
    EXPECT_EQ(f.table->contentSize().height, 243);
    f.table->scrollRectToVisible(f.table->tableHeaderView()->frame(), false);
    EXPECT_EQ(f.table->contentOffset().y, 0);
}

// Committed deletes and moves reaching the model are walked by the history screen end to end.
TEST(UITableView, ReloadsClearTheSelectionMovesNeedEditingAndARoomAndUpdatesThatMissTheModelAreReported)
{
    Fixture f;
    f.table->reloadData();
    EXPECT_TRUE(f.table->userDidTapRow({0, 1}));
    EXPECT_EQ(f.table->indexPathForSelectedRow(), (NSIndexPath{0, 1}));
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 1})->isSelected());
    f.table->reloadRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimation::None);
    EXPECT_FALSE(f.table->indexPathForSelectedRow().has_value());
    EXPECT_FALSE(f.table->cellForRowAtIndexPath({0, 1})->isSelected());

    EXPECT_FALSE(f.table->userDidMoveRow({0, 0}, {0, 2})); // not editing
    f.table->setEditing(true, false);
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 0})->isEditing() && !f.table->userDidTapRow({0, 0}));
    EXPECT_FALSE(f.table->userDidMoveRow({0, 0}, {0, 3}));
    EXPECT_TRUE(f.table->userDidMoveRow({0, 0}, {0, 2}));
    EXPECT_EQ(f.model->moves, (std::vector<Move>{{{0, 0}, {0, 2}}}));

    // The rows after a deleted one move up with their cells and the selection; the offset stays within what is left.
    f.table->selectRowAtIndexPath(NSIndexPath{0, 2}, false, UITableViewScrollPosition::None);
    f.table->setContentOffset({0, 100}, false);
    f.model->sections[0].erase(f.model->sections[0].begin() + 1);
    f.table->deleteRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimation::Fade);
    EXPECT_EQ(f.table->contentOffset().y, 0);
    EXPECT_EQ(f.table->indexPathForSelectedRow(), (NSIndexPath{0, 1}));
    auto moved = f.table->cellForRowAtIndexPath({0, 1});
    EXPECT_TRUE(moved->frame().minY() == 100 && moved->textLabel()->text() == "a" && f.table->subviews().size() == 2u);

    // The model forgot to remove its entry: reported, and the table follows the model.
    testing::internal::CaptureStderr();
    f.table->deleteRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimation::Fade);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("invalid update"), std::string::npos);
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 2);
}

TEST(UITableViewDeathTest, DequeueMakesRegisteredCellsAndStopsOnUnknownOrMistypedOnes)
{
    Fixture f;
    // Cells from nibs and prototypes are made by the solution and history screens end to end.
    EXPECT_EQ(f.table->dequeueReusableCellWithIdentifier("DefaultCell"), nullptr);
    EXPECT_DEATH(f.table->dequeueReusableCellWithIdentifier("nothing", {0, 0}), "unable to dequeue");

    f.table->registerClass<StepCell>();
    auto step = f.table->dequeue<StepCell>({0, 0});
    ASSERT_TRUE(step);
    EXPECT_EQ(step->reuseIdentifier(), "stepCell");
    EXPECT_TRUE(f.table->dequeue<NoteCell>("cell", {0, 1}));
    // A registration of another class stops the program naming both, rather than quietly making a fresh cell.
    f.table->registerClass<UITableViewCell>("plain");
    EXPECT_DEATH(f.table->dequeue<StepCell>("plain", {0, 0}), "\"plain\" is a UITableViewCell, not a .*StepCell");
    EXPECT_DEATH(f.table->dequeue<StepCell>("unregistered", {0, 0}), "unable to dequeue");
}

TEST(UITableView, ADataSourceMayConsultTheTablesNewSectionCountDuringAReload)
{
    Fixture f;
    f.model->sections = {{}};
    f.table->reloadData();
    f.model->sections = {{"a", "b", "c"}, {"video"}};
    f.model->sectionCountsSeen.clear();
    f.table->reloadData();
    ASSERT_FALSE(f.model->sectionCountsSeen.empty());
    EXPECT_EQ(f.model->sectionCountsSeen, std::vector<int64_t>(f.model->sectionCountsSeen.size(), 2));
}

TEST(UITableView, AReloadFromInsideACellRequestLeavesAConsistentTable)
{
    for (bool duringLayout : {false, true}) {
        SCOPED_TRACE(duringLayout ? "during a layout pass" : "during reloadData");
        Fixture f;
        f.model->sections = {std::vector<std::string>(10, "x")};
        f.model->onCellRequest = [&f](UITableView& table, const NSIndexPath& ip) {
            if (ip.row == 1 && f.model->sections[0].size() > 1) {
                f.model->sections = {{"x"}};
                table.reloadData();
            }
        };
        auto screen = std::make_shared<UIView>(CGRect{0, 0, 320, 844});
        if (duringLayout) {
            screen->addSubview(f.table);
            screen->layoutIfNeeded();
        } else {
            f.table->reloadData();
        }
        EXPECT_EQ(f.table->numberOfRowsInSection(0), 1);
        EXPECT_EQ(f.table->subviews(), (std::vector<std::shared_ptr<UIView>>{f.table->cellForRowAtIndexPath({0, 0})}));
        EXPECT_EQ(f.table->cellForRowAtIndexPath({0, 1}), nullptr);
    }
}

TEST(UITableView, OnePassMakesEveryVisibleRowOnceAndPlacesTheHeaders)
{
    // Rows of a menu or a history in a view of a phone's height: all of them fit. Each new cell
    // lays out the table again while the pass that made it is still running.
    for (bool rowsArriveAfterFirstLayout : {true, false}) {
        SCOPED_TRACE(rowsArriveAfterFirstLayout ? "rows arrive after the first layout" : "loaded before it had a height");
        Fixture f({0, 0, 390, 844}, 44);
        auto screen = std::make_shared<UIView>(CGRect{0, 0, 390, 844});
        screen->addSubview(f.table);
        f.model->headerViewHeights = {28, 28, 28};
        f.model->sections = {{}, {}, {}};
        if (rowsArriveAfterFirstLayout) {
            screen->layoutIfNeeded();
        } else {
            f.table->setFrame({0, 0, 390, 0});
        }
        f.model->sections = {std::vector<std::string>(5, "a"), std::vector<std::string>(6, "b"), std::vector<std::string>(3, "c")};
        f.table->reloadData();
        f.table->setFrame({0, 0, 390, 844});

        std::vector<NSIndexPath> all;
        for (int64_t section = 0; section < 3; ++section) {
            for (int64_t row = 0; row < f.table->numberOfRowsInSection(section); ++row) {
                all.push_back({section, row});
            }
            auto header = f.table->headerViewForSection(section);
            EXPECT_TRUE(header && header->frame() == f.table->rectForHeaderInSection(section)) << "section " << section;
        }
        EXPECT_EQ(f.model->cellRequests, all);
        EXPECT_EQ(f.model->displayed, all);
        EXPECT_EQ(f.table->indexPathsForVisibleRows(), all);
        auto last = f.table->cellForRowAtIndexPath({2, 2});
        EXPECT_TRUE(last && last->frame() == (CGRect{0, 3 * 28 + 13 * 44, 390, 44}));

        // A later layout pass has nothing left to make.
        f.model->cellRequests.clear();
        f.table->setNeedsLayout();
        screen->layoutIfNeeded();
        EXPECT_TRUE(f.model->cellRequests.empty());
        EXPECT_EQ(f.table->visibleCells().size(), 14u);
    }
}
