#include <gtest/gtest.h>

#include "Radixel/screens/popup/SelectionPopupTableViewController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "platform/uikit/CALayer.hpp"

namespace {

std::vector<std::string> texts(int count) {
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) rows.push_back("row " + std::to_string(i));
    return rows;
}

// The list as a popover under an anchor on the calculate page, as a screen shows it.
class SelectionPopupTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override {
        launch(Answers{});
        calculate().view()->addSubview(anchor);
        list->data = texts(3);
    }
    // A new list of that many rows, unless none is asked for.
    void present(std::optional<int> rows = std::nullopt, std::optional<int64_t> choice = std::nullopt) {
        if (rows) list = std::make_shared<SelectionPopupTableViewController>();
        if (rows) list->data = texts(*rows);
        list->selectedIndex = choice;
        list->setModalPresentationStyle(UIModalPresentationStyle::Popover);
        list->popoverPresentationController()->setSourceView(anchor);
        list->popoverPresentationController()->setSourceRect(anchor->bounds());
        list->popoverPresentationController()->setDelegate(app->calculateViewController());
        calculate().presentViewController(list, true);
        h.runUntilIdle();
    }
    std::shared_ptr<UIView> container() const { return list->popoverPresentationController()->containerView(); }

    std::shared_ptr<UIView> anchor = std::make_shared<UIView>(CGRect{150, 120, 90, 30});
    std::shared_ptr<SelectionPopupTableViewController> list = std::make_shared<SelectionPopupTableViewController>();
};

}  // namespace

// The border is drawn once along the mask's outline, however often the popover is laid out.
TEST_F(SelectionPopupTest, PopoverIsAsWideAsRowWidthAndFortyPointsPerTextWithOneBorder) {
    EXPECT_EQ(list->preferredContentSize(), (CGSize{80, 120}));
    list->rowHeight = 60;
    list->rowWidth = 120;
    list->data = texts(5);
    EXPECT_EQ(list->preferredContentSize(), (CGSize{120, 200}));
    list->data.clear();
    EXPECT_EQ(list->preferredContentSize().height, 0);

    list->data = texts(3);
    present();
    ASSERT_NE(container(), nullptr);
    EXPECT_EQ(container()->frame().size, (CGSize{120, 120}));
    auto table = list->tableView();
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 2}), (CGRect{0, 80, 120, 40}));
    auto first = table->cellForRowAtIndexPath({0, 0});
    EXPECT_EQ(std::tuple(first->textLabel()->text(), first->textLabel()->textAlignment()),
              std::tuple("row 0", NSTextAlignment::Center));

    for (int pass = 0; pass < 4; ++pass) {
        list->view()->setNeedsLayout();
        container()->setNeedsLayout();
        container()->layoutIfNeeded();
    }
    std::vector<std::shared_ptr<CAShapeLayer>> found;
    for (const auto& layer : container()->layer()->sublayers())
        if (layer->name() == "border") found.push_back(std::dynamic_pointer_cast<CAShapeLayer>(layer));
    ASSERT_EQ(found.size(), 1u);
    ASSERT_NE(found[0], nullptr);
    auto mask = std::static_pointer_cast<CAShapeLayer>(container()->maskView()->layer());
    // A 4-point line in the highlight colour along the outline; the rows show through.
    EXPECT_EQ(std::tuple(found[0]->path(), found[0]->frame(), found[0]->lineWidth(), found[0]->strokeColor(),
                         found[0]->fillColor()),
              std::tuple(mask->path(), mask->bounds(), 4.0, list->cellHighlightColor.cgColor(),
                         UIColor::clearColor().cgColor()));
}

// Without a choice, or with one outside the rows, nothing is marked or scrolled. A tap hands the
// row to the completion, if there is one, while the list is shown, then closes the list.
TEST_F(SelectionPopupTest, CurrentChoiceIsHighlightedAndScrolledToTheMiddleAndATapClosesWithTheRow) {
    std::vector<std::string> log;
    for (std::optional<int64_t> choice : std::vector<std::optional<int64_t>>{20, std::nullopt, 40, -1}) {
        SCOPED_TRACE(choice.value_or(-99));
        present(40, choice);
        auto table = list->tableView();
        ASSERT_FALSE(table->visibleCells().empty());
        for (const auto& cell : table->visibleCells()) {
            int64_t row = table->indexPathForCell(cell)->row;
            EXPECT_EQ(cell->backgroundColor(), row == choice ? list->cellHighlightColor : list->cellBgColor) << row;
        }
        CGRect row = table->rectForRowAtIndexPath({0, 20});
        CGFloat middle = table->contentOffset().y + table->bounds().size.height / 2;
        if (choice == 20)
            EXPECT_TRUE(middle >= row.minY() && middle <= row.maxY()) << middle;
        else
            EXPECT_EQ(table->contentOffset().y, 0);
        if (choice) list->completion = [&](int64_t tapped) {
            log.push_back(std::to_string(tapped) + (h.presented<SelectionPopupTableViewController>() ? " shown" : ""));
        };
        EXPECT_TRUE(h.tapRow(table, {0, choice == 20 ? 20 : 1}));
        EXPECT_EQ(h.presented<SelectionPopupTableViewController>(), nullptr);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"20 shown", "1 shown", "1 shown"}));
}
