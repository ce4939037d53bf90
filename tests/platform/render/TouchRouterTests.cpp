#include <algorithm>

#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.hpp"
#include "platform/render/DialogLayout.hpp"
#include "platform/render/TouchRouter.hpp"
#include "platform/uikit/UIActivityViewController.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIPopoverPresentationController.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

using render::TouchRouter;

namespace {

// A window and the mouse on it.
struct Mouse {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 200, 400});
    TouchRouter router{window};

    void click(CGPoint point)
    {
        router.press(point);
        router.release(point);
    }
    // Down, moves in equal steps, up.
    void drag(CGPoint from, CGPoint to, int steps = 10)
    {
        router.press(from);
        for (int i = 1; i <= steps; ++i) {
            router.move({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        }
        router.release(to);
    }
    // Down at the first point, through the others, up at the last.
    void trace(const std::vector<CGPoint>& path)
    {
        router.press(path.front());
        std::for_each(path.begin() + 1, path.end(), [&](CGPoint point) { router.move(point); });
        router.release(path.back());
    }
};

struct Screen : Mouse {
    std::shared_ptr<UIViewController> root = std::make_shared<UIViewController>();
    std::shared_ptr<UIButton> button = std::make_shared<UIButton>(CGRect{20, 20, 100, 40});
    std::shared_ptr<UIScrollView> scroll = std::make_shared<UIScrollView>(CGRect{0, 100, 200, 200});
    int taps = 0;

    Screen()
    {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        root->view()->addSubview(button);
        root->view()->addSubview(scroll);
        scroll->setContentSize({200, 1000});
        button->addAction([this](const auto&) { ++taps; }, UIControlEventTouchUpInside);
        RunLoop::main().runUntilIdle();
    }
};

} // namespace

TEST(TouchRouter, PressAndReleaseInsideAnEnabledTouchableButtonIsATap)
{
    Screen screen;
    EXPECT_EQ(TouchRouter::hitTest(screen.window, {50, 40}), screen.button);
    EXPECT_EQ(TouchRouter::hitTest(screen.window, {500, 40}), nullptr);
    screen.router.press({50, 40});
    EXPECT_TRUE(screen.button->isHighlighted());
    screen.router.release({52, 41});
    EXPECT_FALSE(screen.button->isHighlighted());
    EXPECT_EQ(screen.taps, 1);

    // Dragging off the button cancels the tap, and so does a release just outside it.
    screen.drag({50, 40}, {50, 90}, 1);
    screen.drag({118, 40}, {123, 40}, 1);
    EXPECT_EQ(screen.taps, 1);

    screen.button->setEnabled(false);
    EXPECT_FALSE(screen.router.press({50, 40})) << "a dimmed button does not light up";
    screen.router.release({50, 40});
    EXPECT_EQ(screen.taps, 1);

    screen.button->setUserInteractionEnabled(false);
    EXPECT_EQ(TouchRouter::hitTest(screen.window, {50, 40}), screen.root->view());
}

// Zooms the picture it holds.
struct ZoomingDelegate : UIScrollViewDelegate {
    std::shared_ptr<UIView> picture = std::make_shared<UIView>(CGRect{0, 0, 200, 200});
    std::shared_ptr<UIView> viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>& /*scrollView*/) override { return picture; }
};

TEST(TouchRouter, CtrlWheelZoomsWithinTheLimitsKeepingThePointUnderThePointer)
{
    Screen screen;
    // Without a zooming view the wheel with Ctrl does nothing.
    EXPECT_FALSE(screen.router.zoom({100, 200}, 1));
    EXPECT_EQ(screen.scroll->zoomScale(), 1);

    auto delegate = std::make_shared<ZoomingDelegate>();
    screen.scroll->addSubview(delegate->picture);
    screen.scroll->setDelegate(delegate);
    screen.scroll->setMinimumZoomScale(1);
    screen.scroll->setMaximumZoomScale(2);
    EXPECT_TRUE(screen.router.zoom({60, 200}, 100));
    EXPECT_EQ(screen.scroll->zoomScale(), 2);
    EXPECT_EQ(delegate->picture->frame().size, (CGSize{400, 400}));
    EXPECT_EQ(screen.scroll->contentOffset(), (CGPoint{60, 100}));  // what was under the pointer stays there

    EXPECT_FALSE(screen.router.zoom({60, 200}, 1)); // at the limit
    EXPECT_TRUE(screen.router.zoom({60, 200}, -100));
    EXPECT_EQ(screen.scroll->zoomScale(), 1);
    EXPECT_EQ(screen.scroll->contentOffset(), (CGPoint{0, 0}));
}

TEST(TouchRouter, ClicksOnAnAlertChooseItsButtons)
{
    Screen screen;
    std::string chosen;
    auto alert = UIAlertController::alertControllerWithTitle("Title", "Message", UIAlertControllerStyle::Alert);
    alert->addAction(UIAlertAction::actionWithTitle("Cancel", UIAlertActionStyle::Cancel, [&](const auto&) { chosen = "Cancel"; }));
    alert->addAction(UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::Default, [&](const auto&) { chosen = "OK"; }));
    screen.root->presentViewController(alert, false);
    RunLoop::main().runUntilIdle();

    screen.click({50, 40}); // the button under the dimmed backdrop takes no touch
    EXPECT_EQ(screen.taps, 0);

    auto layout = render::alertLayout(*alert, screen.window->bounds().size);
    ASSERT_EQ(layout.buttons.size(), 2u);
    CGRect ok = layout.buttons[1].frame;
    screen.click({ok.midX(), ok.midY()});
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(chosen, "OK");
    EXPECT_FALSE(screen.root->presentedViewController());
}

// Alerts sit in the middle with Cancel first of two side by side and last in a column; action
// sheets sit low with Cancel last; the message follows the title and the buttons both.
TEST(DialogLayout, PlacesPanelsTextAndButtonsAsThePhoneDoes)
{
    using enum UIAlertActionStyle;
    using Actions = std::vector<std::pair<std::string, UIAlertActionStyle>>;
    for (const auto& [style, actions, order] : std::vector<std::tuple<UIAlertControllerStyle, Actions, std::vector<std::string>>>{
             {UIAlertControllerStyle::Alert, {{"OK", Default}, {"Cancel", Cancel}}, {"Cancel", "OK"}},
             {UIAlertControllerStyle::Alert, {{"Cancel", Cancel}, {"A", Default}, {"B", Destructive}}, {"A", "B", "Cancel"}},
             {UIAlertControllerStyle::ActionSheet, {{"Cancel", Cancel}, {"A", Default}}, {"A", "Cancel"}}}) {
        bool alert = style == UIAlertControllerStyle::Alert;
        auto dialog = UIAlertController::alertControllerWithTitle("Title", "A message of a good many words, long enough to wrap", style);
        for (const auto& [title, kind] : actions) {
            dialog->addAction(UIAlertAction::actionWithTitle(title, kind, nullptr));
        }
        auto layout = render::alertLayout(*dialog, {390, 844});
        std::vector<std::string> titles;
        std::transform(layout.buttons.begin(), layout.buttons.end(), std::back_inserter(titles), [](const auto& b) { return b.title; });
        EXPECT_EQ(titles, order);
        CGPoint at{layout.panel.midX(), alert ? layout.panel.midY() : layout.panel.maxY()};
        EXPECT_EQ(at, (CGPoint{195, alert ? 422.0 : 844.0 - 28}));
        CGRect first = layout.buttons.front().frame, last = layout.buttons.back().frame;
        EXPECT_TRUE(layout.titleFrame.maxY() <= layout.messageFrame.minY() && layout.messageFrame.maxY() <= first.minY());
        EXPECT_EQ(last.maxY(), layout.panel.maxY());
        EXPECT_EQ(first.minY() == last.minY(), alert && order.size() == 2) << "side by side";
    }
    auto sheet = render::shareSheetLayout(UIActivityViewController({}, {}), {390, 844}, false);  // on a phone: low, like an action sheet
    EXPECT_EQ((CGPoint{sheet.panel.midX(), sheet.panel.maxY()}), (CGPoint{195, 844 - 28}));
}

namespace {

class Rows : public UITableViewDataSource, public UITableViewDelegate {
public:
    int64_t count = 8;
    bool editable = true;
    std::vector<NSIndexPath> deleted;
    std::vector<std::pair<NSIndexPath, NSIndexPath>> moves;
    int selections = 0;
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t) override { return count; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                    const NSIndexPath& indexPath) override
    {
        return table->dequeue<UITableViewCell>("row", indexPath);
    }
    // A list that edits nothing keeps the table's default answer.
    bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>& table, const NSIndexPath& indexPath) override
    {
        return editable || UITableViewDataSource::tableViewCanEditRowAtIndexPath(table, indexPath);
    }
    bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return true; }
    void tableViewCommitEditingStyle(const std::shared_ptr<UITableView>& table, UITableViewCellEditingStyle,
                                     const NSIndexPath& indexPath) override
    {
        deleted.push_back(indexPath);
        --count;
        table->deleteRowsAtIndexPaths({indexPath}, UITableViewRowAnimation::Fade);
    }
    void tableViewMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& from, const NSIndexPath& to) override
    {
        moves.emplace_back(from, to);
    }
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { ++selections; }
};

struct TableScreen : Mouse {
    std::shared_ptr<UITableView> table = std::make_shared<UITableView>(CGRect{0, 0, 200, 200}, UITableViewStyle::Plain);
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();

    TableScreen()
    {
        window->addSubview(table);
        window->makeKeyAndVisible();
        table->registerClass<UITableViewCell>("row");
        table->setRowHeight(50);
        table->setDataSource(rows);
        table->setDelegate(rows);
        table->reloadData();
        window->layoutIfNeeded();
    }
};

} // namespace

TEST(TouchRouter, MouseSwipesRevealDeleteAClickOnItDeletesAndInEditingTheHandleMovesARow)
{
    TableScreen screen;
    screen.rows->editable = false;  // a list that edits nothing has no swipe
    screen.drag({180, 75}, {60, 80});
    EXPECT_FALSE(screen.table->indexPathForRowShowingDeleteConfirmation());
    screen.rows->editable = true;
    screen.drag({180, 75}, {60, 80});
    EXPECT_EQ(screen.table->indexPathForRowShowingDeleteConfirmation(), (NSIndexPath{0, 1}));
    EXPECT_EQ(screen.table->contentOffset().y, 0);
    EXPECT_EQ(screen.rows->selections, 0);
    // A click elsewhere only hides it.
    screen.click({100, 175});
    EXPECT_FALSE(screen.table->indexPathForRowShowingDeleteConfirmation());
    EXPECT_EQ(screen.rows->selections, 0);

    screen.drag({180, 75}, {60, 75});
    screen.click({170, 75});
    EXPECT_EQ(screen.rows->deleted, (std::vector<NSIndexPath>{{0, 1}}));
    screen.click({100, 75});
    EXPECT_EQ(screen.rows->selections, 1);

    // An upward drag still scrolls the table.
    screen.drag({100, 150}, {100, 50});
    EXPECT_EQ(screen.table->contentOffset().y, 100);
    EXPECT_FALSE(screen.table->indexPathForRowShowingDeleteConfirmation());

    // In editing, the right-most 44 points are the reorder handle: down two rows and a bit.
    screen.table->setContentOffset({0, 0});
    screen.table->setEditing(true);
    screen.drag({180, 25}, {180, 25 + 2 * 50 + 10});
    ASSERT_EQ(screen.rows->moves.size(), 1u);
    EXPECT_EQ(screen.rows->moves[0], (std::pair<NSIndexPath, NSIndexPath>{{0, 0}, {0, 2}}));
    EXPECT_EQ(screen.table->contentOffset().y, 0);
}

// A popover takes the window's touches: a click outside it dismisses it instead of reaching the
// button below, and a pad's share sheet, which is a popover there, is cancelled that way or by
// its Done, which is clicked where the popover shows it.
TEST(TouchRouter, AClickOutsideAPopoverDismissesItAndReachesNothingBelow)
{
    struct List : UIViewController {
        int dismissedFromOutside = 0;
        CGSize preferredContentSize() const override { return {100, 100}; }
        void presentationWasDismissedFromOutside() override { ++dismissedFromOutside; }
    };
    for (const std::string how : {"list", "share sheet on a pad", "share sheet on a pad, Done"}) {
        SCOPED_TRACE(how);
        bool sheet = how != "list";
        Screen screen;
        UIDevice::currentDevice().setUserInterfaceIdiom(sheet ? UIUserInterfaceIdiom::Pad : UIUserInterfaceIdiom::Phone);
        std::shared_ptr<UIViewController> shown;
        std::vector<std::pair<std::optional<std::string>, bool>> outcomes;
        if (sheet) {
            auto share = std::make_shared<UIActivityViewController>(std::vector<std::any>{std::string("text")}, std::vector<std::any>{});
            share->setCompletionWithItemsHandler([&](const auto& type, bool completed) { outcomes.emplace_back(type, completed); });
            share->setPreferredContentSize({150, 200});
            shown = share;
        } else {
            shown = std::make_shared<List>();
            shown->setModalPresentationStyle(UIModalPresentationStyle::Popover);
        }
        auto popover = shown->popoverPresentationController();
        ASSERT_TRUE(popover);
        popover->setSourceView(screen.root->view());
        popover->setSourceRect({0, 300, 200, 50});
        popover->setDelegate(screen.root);
        screen.root->presentViewController(shown, false);
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(popover->containerView());

        CGRect inside = popover->containerView()->frame();
        screen.click({inside.midX(), inside.midY()});
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(screen.root->presentedViewController(), shown) << "a click inside keeps it";

        if (how.ends_with("Done")) {
            // The sheet fills its popover, undimmed, with Done along the bottom edge.
            CGSize size = shown->view()->bounds().size;
            auto& share = static_cast<UIActivityViewController&>(*shown);
            auto layout = render::shareSheetLayout(share, size, render::isInPopover(*shown->view()));
            CGRect done = layout.buttons.at(0).frame;
            EXPECT_EQ(std::tuple(layout.dimmed, layout.panel.size, done.maxY()), std::tuple(false, size, size.height));
            screen.click(shown->view()->convertPointToView({done.midX(), done.midY()}, screen.window.get()));
        } else {
            screen.click({50, 40});
        }
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(screen.taps, 0);
        EXPECT_EQ(screen.root->presentedViewController(), nullptr);
        EXPECT_EQ(popover->containerView(), nullptr);
        if (sheet) {
            EXPECT_EQ(outcomes, (std::vector<std::pair<std::optional<std::string>, bool>>{{std::nullopt, false}}));
        } else {
            EXPECT_EQ(std::static_pointer_cast<List>(shown)->dismissedFromOutside, 1);
        }
        // With the popover gone the button takes clicks again.
        screen.click({50, 40});
        EXPECT_EQ(screen.taps, 1);
    }
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Phone);
}

TEST(TouchRouter, AClickOnNothingLeavesTheEditingFieldAndAnotherFieldTakesIt)
{
    // The calculate page's keypad types into the field that last began editing: a click between
    // its keys, on a heading or on the background must not take that field away.
    Screen screen;
    auto p = std::make_shared<UITextField>(CGRect{130, 20, 60, 30});
    auto q = std::make_shared<UITextField>(CGRect{130, 60, 60, 30});
    screen.root->view()->addSubview(p);
    screen.root->view()->addSubview(q);
    screen.click({150, 30});
    ASSERT_TRUE(p->isFirstResponder());
    screen.click({10, 80});
    EXPECT_TRUE(p->isFirstResponder());
    screen.click({50, 40}); // a key
    EXPECT_TRUE(p->isFirstResponder());
    screen.click({150, 70});
    EXPECT_TRUE(q->isFirstResponder());
}

TEST(TouchRouter, AMovementGoesToTheInnermostScrollViewThatCanMoveItsWay)
{
    // A list (the screen's scroll view) of rows, each holding a formula that scrolls only sideways.
    Screen screen;
    auto wide = std::make_shared<UIScrollView>(CGRect{0, 20, 200, 50});
    wide->setContentSize({600, 50});
    auto narrow = std::make_shared<UIScrollView>(CGRect{0, 100, 200, 50});
    narrow->setContentSize({150, 50});
    screen.scroll->addSubview(wide);
    screen.scroll->addSubview(narrow);
    auto offsets = [&] {
        return std::vector<double>{screen.scroll->contentOffset().y, wide->contentOffset().x, narrow->contentOffset().x};
    };
    CGPoint onWide{100, 140};
    CGPoint onNarrow{100, 220};

    EXPECT_TRUE(screen.router.wheel(onWide, 0, -1)); // mostly vertical: the list
    EXPECT_EQ(offsets(), (std::vector<double>{40, 0, 0}));
    EXPECT_TRUE(screen.router.wheel({100, 100}, -2, -1)); // mostly sideways: the formula
    EXPECT_EQ(offsets(), (std::vector<double>{40, 80, 0}));
    // Mouse paths wobble: a drag's direction is decided once, as it leaves the tap slop, by the
    // way it has gone since the press.
    using Path = std::tuple<const char*, std::vector<CGPoint>, double, double>;  // the list's and the formula's offsets after
    for (const auto& [what, points, listY, formulaX] : std::vector<Path>{
             {"up, first step sideways", {{100, 140}, {104, 141}, {103, 131}, {105, 111}, {102, 91}}, 50, 0},
             {"up, leaving the slop sideways", {{100, 140}, {100, 135}, {105, 134}, {104, 114}, {106, 94}}, 41, 0},
             {"up, then turned sideways", {{100, 140}, {101, 130}, {80, 131}, {60, 128}}, 12, 0},
             {"sideways, wobbling", {{150, 140}, {146, 143}, {140, 138}, {120, 146}, {119, 133}, {100, 139}, {80, 144}}, 0, 66}}) {
        screen.scroll->setContentOffset({0, 0});
        wide->setContentOffset({0, 0});
        screen.trace(points);
        EXPECT_EQ(offsets(), (std::vector<double>{listY, formulaX, 0})) << what;
    }

    // A formula narrower than its row has nowhere to go: the list takes what it can, and a
    // sideways movement that no scroll view can follow moves nothing.
    screen.drag(onNarrow, {100, 170}, 2);
    EXPECT_EQ(offsets(), (std::vector<double>{50, 66, 0}));
    EXPECT_FALSE(screen.router.wheel({100, 170}, -3, 0));
    EXPECT_EQ(offsets(), (std::vector<double>{50, 66, 0}));

    // A wheel turned up goes back towards the start, and the list stops at either end.
    EXPECT_TRUE(screen.router.wheel(onWide, 0, 1));
    EXPECT_EQ(screen.scroll->contentOffset().y, 10);
    screen.router.wheel(onWide, 0, 5);
    EXPECT_EQ(screen.scroll->contentOffset().y, 0);
    screen.router.wheel(onWide, 0, -100);
    EXPECT_EQ(screen.scroll->contentOffset().y, 800); // content height less the view's
}
