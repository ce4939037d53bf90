#pragma once

// The app's shape, launched through the harness: drawer(root: toolbar(tabs[calc, solution]),
// left: toolbar(menu)). The calc page has controls of its own at its left edge, where a drag
// opens the drawer, and the menu has rows at its top; every page logs its appearance.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/material/NavigationDrawerController.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabsController.hpp"
#include "platform/material/ToolbarController.hpp"
#include "platform/uikit/TouchTracker.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITableViewController.hpp"
#include "platform/uikit/testing/UIKitHarness.hpp"
#include "support/ScratchFolder.hpp"

namespace material_test {

using namespace Material;
using Log = std::vector<std::string>;

constexpr CGFloat drawerWidth = 280;

class Rows : public UITableViewController {
public:
    explicit Rows(bool editable) : editable_(editable) {}
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
    bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { return editable_; }
    void tableViewCommitEditingStyle(const std::shared_ptr<UITableView>&, UITableViewCellEditingStyle, const NSIndexPath&) override {}
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override { ++selections; }

private:
    bool editable_;
};

class Page : public UIViewController {
public:
    // The tab item is made before any shared_ptr owns the page, as the app's pages do.
    Page(std::string name, Log& log) : name_(std::move(name)), log_(log) { tabItem(*this)->setTitle(name_); }
    void viewWillAppear(bool) override { log_.push_back(name_ + ".willAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + ".didAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + ".willDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + ".didDisappear"); }

protected:
    void embed(const std::shared_ptr<UIViewController>& child, CGRect frame)
    {
        addChildViewController(child);
        view()->addSubview(child->view());
        child->view()->setFrame(frame);
        child->didMoveToParentViewController(as<UIViewController>());
    }

private:
    std::string name_;
    Log& log_;
};

// Follows the finger itself, as the rating stars do.
class Slider : public UIView {
public:
    using UIView::UIView;
    int moves = 0;
    bool tracksTouches() const override { return true; }
    void touchesMoved(const UITouchSet&) override { ++moves; }
};

// A button, then a button and a slider at the left edge, and editable rows below them.
class Calc : public Page {
public:
    using Page::Page;
    std::shared_ptr<UIButton> button = std::make_shared<UIButton>(CGRect{150, 100, 80, 40});
    std::shared_ptr<UIButton> edgeButton = std::make_shared<UIButton>(CGRect{0, 160, 40, 40});
    std::shared_ptr<Slider> slider = std::make_shared<Slider>(CGRect{0, 220, 200, 40});
    std::shared_ptr<Rows> rows = std::make_shared<Rows>(true);
    int taps = 0;
    int edgeTaps = 0;

    void viewDidLoad() override
    {
        for (const auto& subview : std::vector<std::shared_ptr<UIView>>{button, edgeButton, slider}) {
            view()->addSubview(subview);
        }
        button->addAction([this](const auto&) { ++taps; }, UIControlEventTouchUpInside);
        edgeButton->addAction([this](const auto&) { ++edgeTaps; }, UIControlEventTouchUpInside);
        embed(rows, {0, 300, view()->bounds().size.width, 5 * 44});
    }
};

class Menu : public Page {
public:
    using Page::Page;
    std::shared_ptr<Rows> rows = std::make_shared<Rows>(false);
    void viewDidLoad() override { embed(rows, {0, 0, drawerWidth, 5 * 44}); }
};

class Drawer : public NavigationDrawerController, public NavigationDrawerControllerDelegate {
public:
    using NavigationDrawerController::NavigationDrawerController;
    Log* log = nullptr;
    int prepared = 0;
    // Where the drawer's left edge was at each step of a drag.
    std::vector<CGFloat> heldAt;

    void prepare() override
    {
        NavigationDrawerController::prepare();
        ++prepared;
        setDelegate(as<Drawer>());
    }
    void navigationDrawerControllerWillOpen(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("willOpen"); }
    void navigationDrawerControllerDidOpen(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("didOpen"); }
    void navigationDrawerControllerWillClose(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("willClose"); }
    void navigationDrawerControllerDidClose(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("didClose"); }
    void navigationDrawerControllerDidChangePanAt(NavigationDrawerController&, CGPoint, NavigationDrawerPosition) override
    {
        heldAt.push_back(leftView()->frame().origin.x);
    }
};

class App : public UIResponder, public UIApplicationDelegate {
public:
    Log log;
    std::shared_ptr<Calc> calc = std::make_shared<Calc>("calc", log);
    std::shared_ptr<Page> solution = std::make_shared<Page>("solution", log);
    std::shared_ptr<Menu> menu = std::make_shared<Menu>("menu", log);
    std::shared_ptr<TabsController> tabs =
        std::make_shared<TabsController>(std::vector<std::shared_ptr<UIViewController>>{calc, solution}, 0);
    std::shared_ptr<ToolbarController> appToolbar = std::make_shared<ToolbarController>(tabs);
    std::shared_ptr<ToolbarController> menuToolbar = std::make_shared<ToolbarController>(menu);
    std::shared_ptr<Drawer> drawer = std::make_shared<Drawer>(appToolbar, menuToolbar, nullptr);
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

class MaterialApp : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.useAsAppDataDirectory();
        app = h.launch<App>();
        launchLog = app->log;
        app->log.clear();
    }
    CGFloat leftX() const { return app->drawer->leftView()->frame().origin.x; }
    CGFloat shownLeftX() const { return app->drawer->leftView()->presentationFrame().origin.x; }
    // Opened or closed to the end, with the log cleared after.
    void open(bool opened = true)
    {
        opened ? app->drawer->openLeftView() : app->drawer->closeLeftView();
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
    uikit::testing::Harness h;
    std::shared_ptr<App> app;
    Log launchLog;
    const Log opening{"willOpen", "menu.willAppear", "menu.didAppear", "didOpen"};
    const Log closing{"willClose", "menu.willDisappear", "menu.didDisappear", "didClose"};
};

} // namespace material_test
