// Pulling the drawer out and pushing it back with a finger, driven through the harness as the
// window's mouse does it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/material/NavigationDrawerController.hpp"
#include "platform/uikit/TouchTracker.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITableViewController.hpp"
#include "platform/uikit/UITouch.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/ScratchFolder.hpp"

using Material::NavigationDrawerController;
using Material::NavigationDrawerControllerDelegate;
using Material::NavigationDrawerPosition;
using uikit::testing::Harness;

namespace {

constexpr CGFloat drawerWidth = 280;

class Rows : public UITableViewController {
public:
    int selections = 0;
    void viewDidLoad() override
    {
        UITableViewController::viewDidLoad();
        tableView()->registerClass<UITableViewCell>("row");
        tableView()->setRowHeight(44);
    }
    int64_t tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int64_t) override { return 5; }
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                    const NSIndexPath& indexPath) override
    {
        return table->dequeue<UITableViewCell>("row", indexPath);
    }
    bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return true; }
    void tableViewCommitEditingStyle(const std::shared_ptr<UITableView>&, UITableViewCellEditingStyle, const NSIndexPath&) override {}
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { ++selections; }
};

// The drawer's menu: rows that can only be tapped, at its top.
class Menu : public UIViewController {
public:
    class MenuRows : public Rows {
        bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return false; }
    };
    std::shared_ptr<MenuRows> rows = std::make_shared<MenuRows>();

    explicit Menu(std::vector<std::string>& log) : log_(log) {}
    void viewDidLoad() override
    {
        addChildViewController(rows);
        view()->addSubview(rows->view());
        rows->view()->setFrame({0, 0, drawerWidth, 5 * 44});
        rows->didMoveToParentViewController(as<UIViewController>());
    }
    void viewWillAppear(bool) override { log_.push_back("menu.willAppear"); }
    void viewDidAppear(bool) override { log_.push_back("menu.didAppear"); }
    void viewWillDisappear(bool) override { log_.push_back("menu.willDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back("menu.didDisappear"); }

private:
    std::vector<std::string>& log_;
};

// Follows the finger itself, as the rating stars do.
class Slider : public UIView {
public:
    using UIView::UIView;
    int moves = 0;
    bool tracksTouches() const override { return true; }
    void touchesMoved(const UITouchSet&) override { ++moves; }
};

// The root page: a button, a button and a slider at the left edge, and a table below them.
class Page : public UIViewController {
public:
    std::shared_ptr<UIButton> button = std::make_shared<UIButton>(CGRect{150, 100, 80, 40});
    std::shared_ptr<UIButton> edgeButton = std::make_shared<UIButton>(CGRect{0, 160, 40, 40});
    std::shared_ptr<Slider> slider = std::make_shared<Slider>(CGRect{0, 220, 200, 40});
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    int taps = 0;
    int edgeTaps = 0;

    void viewDidLoad() override
    {
        for (const auto& subview : std::vector<std::shared_ptr<UIView>>{button, edgeButton, slider}) {
            view()->addSubview(subview);
        }
        button->addAction([this](const auto&) { ++taps; }, UIControlEventTouchUpInside);
        edgeButton->addAction([this](const auto&) { ++edgeTaps; }, UIControlEventTouchUpInside);
        addChildViewController(rows);
        view()->addSubview(rows->view());
        rows->view()->setFrame({0, 300, view()->bounds().size.width, 5 * 44});
        rows->didMoveToParentViewController(as<UIViewController>());
    }
};

class Drawer : public NavigationDrawerController, public NavigationDrawerControllerDelegate {
public:
    using NavigationDrawerController::NavigationDrawerController;
    std::vector<std::string>* log = nullptr;
    // Where the drawer's left edge was at each step of a drag.
    std::vector<CGFloat> heldAt;

    void prepare() override
    {
        NavigationDrawerController::prepare();
        setDelegate(as<Drawer>());
    }
    void navigationDrawerControllerWillOpen(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("willOpen"); }
    void navigationDrawerControllerDidOpen(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("didOpen"); }
    void navigationDrawerControllerWillClose(NavigationDrawerController&, NavigationDrawerPosition) override
    {
        log->push_back("willClose");
    }
    void navigationDrawerControllerDidClose(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("didClose"); }
    void navigationDrawerControllerDidChangePanAt(NavigationDrawerController&, CGPoint, NavigationDrawerPosition) override
    {
        heldAt.push_back(leftView()->frame().origin.x);
    }
};

class App : public UIResponder, public UIApplicationDelegate {
public:
    std::vector<std::string> log;
    std::shared_ptr<Page> page = std::make_shared<Page>();
    std::shared_ptr<Menu> menu = std::make_shared<Menu>(log);
    std::shared_ptr<Drawer> drawer = std::make_shared<Drawer>(page, menu, nullptr);
    std::shared_ptr<UIWindow> window;

    bool applicationDidFinishLaunchingWithOptions(UIApplication&, const UIApplicationLaunchOptions&) override
    {
        drawer->log = &log;
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        window->setRootViewController(drawer);
        window->makeKeyAndVisible();
        return true;
    }
};

class DrawerDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.useAsAppDataDirectory();
        app = h.launch<App>();
        app->log.clear();
    }
    std::shared_ptr<UIView> root() const { return app->page->view(); }
    CGFloat leftX() const { return app->drawer->leftView()->frame().origin.x; }
    void open()
    {
        app->drawer->openLeftView();
        h.finishAnimations();
        app->log.clear();
    }
    // A finger moved in equal steps, each a frame of the virtual clock apart, in window points.
    void fling(CGPoint from, CGPoint to, int steps, double stepSeconds)
    {
        uikit::TouchTracker finger;
        finger.began(h.window(), from);
        for (int i = 1; i <= steps; ++i) {
            DispatchClock::advance(stepSeconds);
            double t = static_cast<double>(i) / steps;
            finger.moved({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
            h.runUntilIdle();
        }
        finger.ended(to);
        h.runUntilIdle();
    }

    ScratchFolder folder;
    Harness h;
    std::shared_ptr<App> app;
};

const std::vector<std::string> opening{"willOpen", "menu.willAppear", "menu.didAppear", "didOpen"};
const std::vector<std::string> closing{"willClose", "menu.willDisappear", "menu.didDisappear", "didClose"};

} // namespace

TEST_F(DrawerDrag, AnEdgeDragFollowsTheFingerAndOpensPastHalfWithTheButtonsCallbacks)
{
    EXPECT_TRUE(h.drag(root(), {5, 500}, {205, 500}, 10));
    // Past the tap slop the drawer's edge moves with the finger, never beyond fully open.
    ASSERT_FALSE(app->drawer->heldAt.empty());
    EXPECT_EQ(app->drawer->heldAt.back(), -drawerWidth + 200);
    EXPECT_TRUE(std::is_sorted(app->drawer->heldAt.begin(), app->drawer->heldAt.end()));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, opening);
    // From where it was let go it slides the rest of the way.
    EXPECT_EQ(leftX(), 0);
    EXPECT_EQ(app->drawer->leftView()->presentationFrame().origin.x, -drawerWidth + 200);
    h.finishAnimations();
    EXPECT_EQ(app->drawer->leftView()->presentationFrame().origin.x, 0);
    EXPECT_EQ(app->log, opening);

    // Pulling further than its width keeps it at the edge.
    app->drawer->closeLeftView();
    h.finishAnimations();
    app->drawer->heldAt.clear();
    EXPECT_TRUE(h.drag(root(), {5, 500}, {385, 500}));
    EXPECT_EQ(*std::max_element(app->drawer->heldAt.begin(), app->drawer->heldAt.end()), 0);
}

TEST_F(DrawerDrag, AShortEdgeDragSlidesBackUnlessFlicked)
{
    EXPECT_TRUE(h.drag(root(), {5, 500}, {105, 500}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
    EXPECT_EQ(leftX(), -drawerWidth);
    EXPECT_FALSE(app->drawer->leftView()->isHidden()); // still sliding back
    h.finishAnimations();
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    // The same distance quickly is a flick: it opens.
    fling({5, 500}, {105, 500}, 5, 0.01);
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, opening);
    // And slowly it does not.
    open();
    app->drawer->closeLeftView();
    h.finishAnimations();
    app->log.clear();
    fling({5, 500}, {105, 500}, 5, 0.5);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
}

TEST_F(DrawerDrag, OnlyAnEnabledDrawerAndOnlyTheEdgeTakeADrag)
{
    EXPECT_FALSE(h.drag(root(), {60, 700}, {300, 700}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    app->drawer->setLeftViewEnabled(false);
    EXPECT_FALSE(h.drag(root(), {5, 700}, {300, 700}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->drawer->leftView()->isHidden());
    EXPECT_EQ(leftX(), -drawerWidth);
    EXPECT_TRUE(app->log.empty());

    app->drawer->setLeftViewEnabled(true);
    EXPECT_TRUE(h.drag(root(), {5, 500}, {300, 500}));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
}

TEST_F(DrawerDrag, AnOpenDrawerClosesByADragLeftOrATapOnTheDimmedArea)
{
    open();
    // A short push on the drawer itself springs back open.
    EXPECT_TRUE(h.drag(app->menu->view(), {250, 500}, {190, 500}));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
    h.finishAnimations();
    EXPECT_EQ(app->drawer->leftView()->presentationFrame().origin.x, 0);

    EXPECT_TRUE(h.drag(app->menu->view(), {250, 500}, {50, 500}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, closing);
    h.finishAnimations();
    EXPECT_TRUE(app->drawer->leftView()->isHidden());

    // Across its rows, once the finger shows it is not scrolling them; a tap still selects one,
    // and a drag up or down scrolls them and leaves the drawer open.
    open();
    auto rows = app->menu->rows->tableView();
    EXPECT_TRUE(h.tap(rows->cellForRowAtIndexPath({0, 1})));
    EXPECT_EQ(app->menu->rows->selections, 1);
    h.drag(rows->cellForRowAtIndexPath({0, 3}), {140, 22}, {140, -60});
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(h.drag(rows->cellForRowAtIndexPath({0, 2}), {250, 22}, {50, 30}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->menu->rows->selections, 1);
    EXPECT_EQ(app->log, closing);

    // From the dimmed area beside it.
    open();
    EXPECT_TRUE(h.drag(app->drawer->view(), {370, 500}, {150, 500}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, closing);

    // A tap there closes it without reaching the page under it; a tap on the drawer does not.
    open();
    EXPECT_FALSE(h.isTouchable(app->page->button));
    EXPECT_TRUE(h.tap(app->menu->view(), {140, 500}));
    EXPECT_TRUE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(h.tap(app->drawer->view(), {330, 120}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_EQ(app->log, closing);
    EXPECT_EQ(app->page->taps, 0);
    h.finishAnimations();
    EXPECT_TRUE(h.tap(app->page->button));
    EXPECT_EQ(app->page->taps, 1);
}

TEST_F(DrawerDrag, ThePagesOwnTouchesStayItsOwn)
{
    EXPECT_TRUE(h.tap(app->page->button));
    EXPECT_EQ(app->page->taps, 1);
    // At the edge: a button keeps its tap, a row its selection, a slider its drag.
    EXPECT_TRUE(h.tap(app->page->edgeButton, {5, 20}));
    EXPECT_EQ(app->page->edgeTaps, 1);
    auto table = app->page->rows->tableView();
    h.tap(table->cellForRowAtIndexPath({0, 1}), {5, 22});
    EXPECT_EQ(app->page->rows->selections, 1);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(h.drag(app->page->slider, {5, 20}, {150, 20}));
    EXPECT_GT(app->page->slider->moves, 0);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    // A row swiped from inside the page reveals its Delete button.
    EXPECT_TRUE(h.swipe(table->cellForRowAtIndexPath({0, 2}), {300, 22}, {100, 22}));
    EXPECT_EQ(table->indexPathForRowShowingDeleteConfirmation(), (NSIndexPath{0, 2}));
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_TRUE(app->log.empty());
}
