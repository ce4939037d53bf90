#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/uikit/UINib.hpp"
#include "platform/uikit/UITableView.hpp"

namespace {

class NoteCell : public UITableViewCell {
public:
    using UITableViewCell::UITableViewCell;
    int awakenings = 0;
    void awakeFromNib() override { ++awakenings; }
};

class StepCell : public UITableViewCell {
public:
    static constexpr const char* cellIdentifier = "stepCell";
    using UITableViewCell::UITableViewCell;
};

// A model of rows with a log of what the table asked.
class Model : public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<std::vector<std::string>> sections{{"a", "b", "c"}};
    std::vector<NSIndexPath> cellRequests, displayed, selected, commits;
    std::vector<CGFloat> headerViewHeights;
    // Like the solution screen: the last section after the first, by the table's own count, is one tall video row.
    bool videoSection = false;
    std::function<void(UITableView&, const NSIndexPath&)> onCellRequest;

    int64_t numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) override { return static_cast<int64_t>(sections.size()); }
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& table, int64_t s) override
    {
        if (videoSection && s > 0) {
            return s == table->numberOfSections() - 1 ? 1 : 0;
        }
        return static_cast<int64_t>(sections[static_cast<size_t>(s)].size());
    }
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath& ip) override
    {
        return videoSection && ip.section > 0 && ip.section == table->numberOfSections() - 1 ? std::optional<CGFloat>(390) : std::nullopt;
    }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath& ip) override
    {
        cellRequests.push_back(ip);
        if (onCellRequest) {
            onCellRequest(*table, ip);
        }
        auto cell = table->dequeueReusableCellWithIdentifier("cell", ip);
        const auto& rows = sections[static_cast<size_t>(ip.section)];
        cell->textLabel()->setText(static_cast<size_t>(ip.row) < rows.size() ? rows[static_cast<size_t>(ip.row)] : "");
        return cell;
    }
    std::shared_ptr<UIView> tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>&, int64_t s) override
    {
        if (static_cast<size_t>(s) >= headerViewHeights.size()) {
            return nullptr;
        }
        return std::make_shared<UIView>(CGRect{0, 0, 10, headerViewHeights[static_cast<size_t>(s)]});
    }
    void tableViewWillDisplayCell(const std::shared_ptr<UITableView>&, const std::shared_ptr<UITableViewCell>&, const NSIndexPath& ip) override
    {
        displayed.push_back(ip);
    }
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& ip) override { selected.push_back(ip); }
    bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return true; }
    void tableViewCommitEditingStyle(const std::shared_ptr<UITableView>&, UITableViewCellEditingStyle, const NSIndexPath& ip) override
    {
        commits.push_back(ip);
    }
    void tableViewMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& from, const NSIndexPath& to) override
    {
        auto& src = sections[static_cast<size_t>(from.section)];
        std::string item = src[static_cast<size_t>(from.row)];
        src.erase(src.begin() + from.row);
        auto& dst = sections[static_cast<size_t>(to.section)];
        dst.insert(dst.begin() + to.row, item);
    }
};

struct Fixture {
    std::shared_ptr<Model> model = std::make_shared<Model>();
    std::shared_ptr<UITableView> table;
    explicit Fixture(CGRect frame = {0, 0, 320, 300}, CGFloat rowHeight = 100)
        : table(std::make_shared<UITableView>(frame, UITableViewStyle::Plain))
    {
        table->registerClass<NoteCell>("cell");
        table->setDataSource(model);
        table->setDelegate(model);
        table->setRowHeight(rowHeight);
    }
};

} // namespace

TEST(UITableView, OnlyVisibleRowsHaveCellsAndScrollingReusesThem)
{
    Fixture f;
    f.model->sections = {std::vector<std::string>(10, "x")};
    f.table->reloadData();
    EXPECT_EQ(f.table->contentSize().height, 1000);
    EXPECT_EQ(f.model->cellRequests, (std::vector<NSIndexPath>{{0, 0}, {0, 1}, {0, 2}}));
    EXPECT_EQ(f.model->displayed, f.model->cellRequests);
    auto cell = f.table->cellForRowAtIndexPath({0, 1});
    ASSERT_TRUE(std::dynamic_pointer_cast<NoteCell>(cell));
    EXPECT_EQ(cell->frame(), (CGRect{0, 100, 320, 100}));
    EXPECT_EQ(f.table->cellForRowAtIndexPath({0, 5}), nullptr);

    f.table->scrollToRowAtIndexPath({0, 5}, UITableViewScrollPosition::Top, false);
    EXPECT_EQ(f.table->contentOffset().y, 500);
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 5}));
    EXPECT_EQ(f.table->cellForRowAtIndexPath({0, 0}), nullptr);
    EXPECT_EQ(f.table->visibleCells().size(), 3u);
    // Near the end the offset stops at the last screenful.
    f.table->scrollToRowAtIndexPath({0, 9}, UITableViewScrollPosition::Top, false);
    EXPECT_EQ(f.table->contentOffset().y, 700);
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 9}));
    f.table->setContentOffset({0, 123.5}, false);
    EXPECT_EQ(f.table->contentOffset().y, 123.5);
    EXPECT_LE(f.table->visibleCells().size() + f.table->numberOfReusableCells(), 6u);
    f.table->scrollToRowAtIndexPath({0, 3}, UITableViewScrollPosition::Middle, false);
    EXPECT_EQ(f.table->contentOffset().y, 200);

    // Counts follow the last reload, not the model.
    f.model->sections[0].push_back("y");
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 10);
    f.table->reloadData();
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 11);
    EXPECT_EQ(f.table->numberOfRowsInSection(7), 0);

    // The table does not keep its data source alive.
    std::weak_ptr<Model> weakModel = f.model;
    f.model.reset();
    EXPECT_TRUE(weakModel.expired());
    f.table->reloadData();
    EXPECT_EQ(f.table->numberOfSections(), 0);
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
    EXPECT_TRUE(f.table->headerViewForSection(1));

    f.table->setTableHeaderView(std::make_shared<UIView>(CGRect{0, 0, 1, 50}));
    f.table->setTableFooterView(std::make_shared<UIView>(CGRect{0, 0, 0, 75}));
    EXPECT_EQ(f.table->rectForRowAtIndexPath({0, 0}).origin.y, 50);
    EXPECT_EQ(f.table->tableFooterView()->frame(), (CGRect{0, 168, 320, 75}));
    EXPECT_EQ(f.table->contentSize().height, 243);
    f.table->scrollRectToVisible(f.table->tableHeaderView()->frame(), false);
    EXPECT_EQ(f.table->contentOffset().y, 0);
}

TEST(UITableView, UserEditsReachTheModelAndUpdatesThatMissTheModelAreReported)
{
    Fixture f;
    f.table->reloadData();
    EXPECT_TRUE(f.table->userDidTapRow({0, 1}));
    EXPECT_EQ(f.table->indexPathForSelectedRow(), (NSIndexPath{0, 1}));
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 1})->isSelected());
    EXPECT_EQ(f.model->selected, (std::vector<NSIndexPath>{{0, 1}}));

    f.table->reloadRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimation::None);
    EXPECT_FALSE(f.table->indexPathForSelectedRow().has_value());
    EXPECT_FALSE(f.table->cellForRowAtIndexPath({0, 1})->isSelected());

    EXPECT_FALSE(f.table->userDidMoveRow({0, 0}, {0, 2})); // not editing
    f.table->setEditing(true, false);
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 0})->isEditing());
    EXPECT_TRUE(f.table->userDidMoveRow({0, 0}, {0, 2}));
    EXPECT_EQ(f.model->sections[0], (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(f.table->cellForRowAtIndexPath({0, 2})->textLabel()->text(), "a");
    EXPECT_FALSE(f.table->userDidMoveRow({0, 0}, {0, 3}));

    EXPECT_TRUE(f.table->userDidCommitEditingStyle(UITableViewCellEditingStyle::Delete, {0, 1}));
    EXPECT_EQ(f.model->commits, (std::vector<NSIndexPath>{{0, 1}}));
    f.model->sections[0].erase(f.model->sections[0].begin());
    f.table->deleteRowsAtIndexPaths({{0, 0}}, UITableViewRowAnimation::Fade);
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 2);
    EXPECT_EQ(f.table->cellForRowAtIndexPath({0, 0})->textLabel()->text(), "c");

    // The model forgot to remove its entry: reported, and the table follows the model.
    testing::internal::CaptureStderr();
    f.table->deleteRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimation::Fade);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("invalid update"), std::string::npos);
    EXPECT_EQ(f.table->numberOfRowsInSection(0), 2);
}

TEST(UITableViewDeathTest, DequeueMakesRegisteredCellsAndStopsOnUnknownOrMistypedOnes)
{
    Fixture f;
    UINib::registerNib("NoteCell", [](const std::shared_ptr<UIResponder>&) {
        return std::vector<std::shared_ptr<UIView>>{std::make_shared<NoteCell>(UITableViewCellStyle::Default, std::nullopt)};
    });
    f.table->registerNib(UINib::nibWithNibName("NoteCell", nullptr), "nibCell");
    f.table->registerPrototype("proto", [] { return std::make_shared<NoteCell>(UITableViewCellStyle::Default, std::nullopt); });
    for (const char* identifier : {"nibCell", "proto"}) {
        auto made = std::dynamic_pointer_cast<NoteCell>(f.table->dequeueReusableCellWithIdentifier(identifier));
        ASSERT_TRUE(made) << identifier;
        EXPECT_EQ(made->awakenings, 1) << identifier;
        EXPECT_EQ(made->reuseIdentifier(), identifier);
    }
    UINib::removeAllRegistrations();
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
    Fixture f({0, 0, 390, 2000});
    f.model->videoSection = true;
    f.model->sections = {{}};
    f.table->reloadData();
    f.model->sections = {{"a", "b", "c"}, {"video"}};
    f.table->reloadData();
    ASSERT_EQ(f.table->numberOfSections(), 2);
    EXPECT_EQ(f.table->numberOfRowsInSection(1), 1);
    EXPECT_EQ(f.table->rectForRowAtIndexPath({1, 0}), (CGRect{0, 300, 390, 390}));
    EXPECT_TRUE(f.table->cellForRowAtIndexPath({1, 0}));
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
        EXPECT_EQ(f.table->visibleCells().size(), 1u);
        EXPECT_TRUE(f.table->cellForRowAtIndexPath({0, 0}));
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
        EXPECT_EQ(all.size(), 14u);
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
