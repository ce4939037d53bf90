#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/DispatchClock.hpp"
#include "platform/foundation/RunLoop.hpp"
#include "platform/material/Icon.hpp"
#include "platform/material/NavigationDrawerController.hpp"
#include "platform/material/ParentLookup.hpp"
#include "platform/material/TabsController.hpp"
#include "platform/material/ToolbarController.hpp"
#include "platform/uikit/UIWindow.hpp"

using namespace Material;

namespace {

class Page : public UIViewController {
public:
    Page(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log)
    {
        // The item exists from init, before the view loads.
        tabItem(*this)->setTitle(name_);
    }
    void viewWillAppear(bool) override { log_.push_back(name_ + ".willAppear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + ".didAppear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + ".willDisappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + ".didDisappear"); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class Drawer : public NavigationDrawerController, public NavigationDrawerControllerDelegate {
public:
    using NavigationDrawerController::NavigationDrawerController;
    std::vector<std::string>* log = nullptr;
    int prepared = 0;
    void prepare() override
    {
        NavigationDrawerController::prepare();
        ++prepared;
        setDelegate(std::dynamic_pointer_cast<Drawer>(shared_from_this()));
    }
    void navigationDrawerControllerWillOpen(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("willOpen"); }
    void navigationDrawerControllerDidClose(NavigationDrawerController&, NavigationDrawerPosition) override { log->push_back("didClose"); }
};

// The app's shape: drawer(root: toolbar(tabs[calc, solution]), left: toolbar(menu)).
struct App {
    std::vector<std::string> log;
    std::shared_ptr<Page> calc = std::make_shared<Page>("calc", log);
    std::shared_ptr<Page> solution = std::make_shared<Page>("solution", log);
    std::shared_ptr<Page> menu = std::make_shared<Page>("menu", log);
    std::shared_ptr<TabsController> tabs = std::make_shared<TabsController>(std::vector<std::shared_ptr<UIViewController>>{calc, solution}, 0);
    std::shared_ptr<ToolbarController> appToolbar = std::make_shared<ToolbarController>(tabs);
    std::shared_ptr<ToolbarController> menuToolbar = std::make_shared<ToolbarController>(menu);
    std::shared_ptr<Drawer> drawer = std::make_shared<Drawer>(appToolbar, menuToolbar, nullptr);
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});

    App()
    {
        drawer->log = &log;
        window->setRootViewController(drawer);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
};

} // namespace

TEST(MaterialContainers, LaunchShowsOnlyTheSelectedPageAndNotTheClosedDrawer)
{
    App app;
    EXPECT_EQ(app.log, (std::vector<std::string>{"calc.willAppear", "calc.didAppear"}));
    EXPECT_EQ(app.drawer->prepared, 1);
    EXPECT_EQ(app.calc->view()->window(), app.window);
    // Every page's view is loaded, but only the selected one is on screen.
    ASSERT_TRUE(app.solution->viewIfLoaded());
    EXPECT_EQ(app.solution->viewIfLoaded()->window(), nullptr);
}

TEST(MaterialContainers, TabSwitchesSendAppearanceInPlatformOrder)
{
    App app;
    app.log.clear();
    app.tabs->select(1);
    EXPECT_EQ(app.log, (std::vector<std::string>{"calc.willDisappear", "solution.willAppear", "calc.didDisappear", "solution.didAppear"}));
    app.log.clear();
    tabItem(*app.calc)->tap();
    EXPECT_EQ(app.tabs->selectedIndex(), 0u);
    EXPECT_EQ(app.log.back(), "calc.didAppear");

    // A disabled tab item cannot be tapped.
    tabItem(*app.solution)->setEnabled(false);
    tabItem(*app.solution)->tap();
    EXPECT_EQ(app.tabs->selectedIndex(), 0u);
}

// A disabled side, or one without a controller, stays closed.
TEST(MaterialContainers, DrawerSidesAppearWhenOpenedAndDisappearWhenClosed)
{
    App app;
    app.log.clear();
    app.drawer->setLeftViewEnabled(false);
    app.drawer->openLeftView(0);
    app.drawer->openRightView(0);
    EXPECT_FALSE(app.drawer->isLeftViewOpened());
    EXPECT_FALSE(app.drawer->isRightViewOpened());
    EXPECT_TRUE(app.log.empty());

    app.drawer->setLeftViewEnabled(true);
    app.drawer->toggleLeftView(0);
    EXPECT_TRUE(app.drawer->isLeftViewOpened());
    EXPECT_FALSE(app.drawer->leftView()->isHidden());
    EXPECT_EQ(app.drawer->leftView()->frame().origin.x, 0);
    EXPECT_EQ(app.log, (std::vector<std::string>{"willOpen", "menu.willAppear", "menu.didAppear"}));
    app.log.clear();
    app.drawer->openLeftView(0);
    EXPECT_TRUE(app.log.empty());
    app.drawer->closeLeftView(0);
    EXPECT_EQ(app.log, (std::vector<std::string>{"menu.willDisappear", "menu.didDisappear", "didClose"}));
}

TEST(MaterialContainers, TransitionReplacesTheRootThenCompletes)
{
    App app;
    app.drawer->openLeftView(0);
    app.log.clear();
    auto fresh = std::make_shared<Page>("history", app.log);
    auto freshToolbar = std::make_shared<ToolbarController>(fresh);
    app.drawer->transition(freshToolbar, [&](bool) {
        app.log.push_back("completion");
        app.drawer->closeLeftView(0);
    });
    EXPECT_EQ(app.drawer->rootViewController(), freshToolbar);
    EXPECT_EQ(app.log, (std::vector<std::string>{"calc.willDisappear", "history.willAppear", "calc.didDisappear", "history.didAppear",
                                                 "completion", "menu.willDisappear", "menu.didDisappear", "didClose"}));
    EXPECT_EQ(app.appToolbar->parentViewController(), nullptr);
    EXPECT_EQ(navigationDrawerController(*fresh), app.drawer);
}

namespace {
// Asks in its constructor, before any shared_ptr owns it; a toolbar controller itself included.
class AsksWhileMade : public ToolbarController {
public:
    explicit AsksWhileMade(std::shared_ptr<UIViewController> root) : ToolbarController(std::move(root))
    {
        foundAny = toolbarController(*this) || tabsController(*this) || navigationDrawerController(*this);
    }
    bool foundAny = true;
};
} // namespace

// Lookups go up the parent chain; asked from a constructor they answer none instead of failing.
TEST(MaterialContainers, ParentChainLookups)
{
    App app;
    app.solution->view();
    EXPECT_EQ(toolbarController(*app.calc), app.appToolbar);
    EXPECT_EQ(toolbarController(*app.solution), app.appToolbar);
    EXPECT_EQ(tabsController(*app.calc), app.tabs);
    EXPECT_EQ(navigationDrawerController(*app.calc), app.drawer);
    EXPECT_EQ(toolbarController(*app.menu), app.menuToolbar);
    EXPECT_EQ(tabsController(*app.menu), nullptr);
    EXPECT_EQ(navigationDrawerController(*std::make_shared<UIViewController>()), nullptr);

    std::shared_ptr<AsksWhileMade> made;
    ASSERT_NO_THROW(made = std::make_shared<AsksWhileMade>(std::make_shared<UIViewController>()));
    EXPECT_FALSE(made->foundAny);
    EXPECT_EQ(toolbarController(*made), made); // once owned, it finds itself
}

TEST(MaterialToolbar, ItemsAreSubviewsReplacedWholeAndFoundByIdentifier)
{
    App app;
    auto toolbar = app.appToolbar->toolbar();
    auto clear = std::make_shared<IconButton>(Icon::clear(), UIColor::whiteColor());
    clear->setAccessibilityIdentifier("toolbarRemoveButton");
    auto edit = std::make_shared<IconButton>(Icon::edit(), UIColor::whiteColor());
    toolbar->setRightViews({clear});
    toolbar->setRightViews({clear, edit});
    EXPECT_EQ(toolbar->rightViews().size(), 2u);
    EXPECT_EQ(app.window->viewWithAccessibilityIdentifier("toolbarRemoveButton"), clear);
    toolbar->setRightViews({edit});
    EXPECT_EQ(clear->superview(), nullptr);

    toolbar->setTitle("Calculate");
    EXPECT_EQ(toolbar->titleLabel()->text(), "Calculate");
    toolbar->setFrame({0, 0, 400, 90});
    app.window->setNeedsLayout();
    app.window->layoutIfNeeded();
    EXPECT_EQ(toolbar->frame().size.height, 90);
    EXPECT_EQ(app.tabs->view()->frame().origin.y, 110);
}

TEST(MaterialContainers, ReleasingTheWindowReleasesTheWholeTree)
{
    std::weak_ptr<UIViewController> weakDrawer, weakCalc, weakMenu;
    {
        App app;
        app.drawer->openLeftView(0);
        weakDrawer = app.drawer;
        weakCalc = app.calc;
        weakMenu = app.menu;
    }
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weakDrawer.expired());
    EXPECT_TRUE(weakCalc.expired());
    EXPECT_TRUE(weakMenu.expired());
}

TEST(MaterialToolbar, ItemsSitAtTheEdgesAndTheTitleBetween)
{
    auto toolbar = std::make_shared<Toolbar>(CGRect{0, 0, 400, 56});
    toolbar->setContentEdgeInsets({8, 0, 8, 0});
    auto menu = std::make_shared<IconButton>(Icon::menu(), UIColor::whiteColor());
    auto clear = std::make_shared<IconButton>(Icon::clear(), UIColor::whiteColor());
    toolbar->setLeftViews({menu});
    toolbar->setRightViews({clear});
    toolbar->setTitle("History");
    toolbar->layoutIfNeeded();
    EXPECT_EQ(menu->frame(), (CGRect{0, 8, 40, 40}));
    EXPECT_EQ(clear->frame(), (CGRect{360, 8, 40, 40}));
    EXPECT_EQ(toolbar->titleLabel()->frame(), (CGRect{48, 8, 304, 40}));

    // Like the history's bar: the right-hand items read in list order, the last at the edge.
    auto edit = std::make_shared<IconButton>(Icon::edit(), UIColor::whiteColor());
    toolbar->setRightViews({clear, edit});
    toolbar->layoutIfNeeded();
    EXPECT_EQ(clear->frame(), (CGRect{312, 8, 40, 40}));
    EXPECT_EQ(edit->frame(), (CGRect{360, 8, 40, 40}));
    EXPECT_EQ(toolbar->titleLabel()->frame(), (CGRect{48, 8, 256, 40}));
}

TEST(MaterialContainers, TheDrawerSlidesInAndIsHiddenOnceItHasSlidOut)
{
    DispatchClock::useVirtualTime();
    {
        App app;
        app.drawer->openLeftView();
        // The model is open at once; the drawing slides in from off screen.
        EXPECT_EQ(app.drawer->leftView()->frame().origin.x, 0);
        EXPECT_EQ(app.drawer->leftView()->presentationFrame().origin.x, -280);
        RunLoop::main().runFor(0.1);
        CGFloat midway = app.drawer->leftView()->presentationFrame().origin.x;
        EXPECT_GT(midway, -280);
        EXPECT_LT(midway, 0);
        RunLoop::main().runFor(0.15);
        EXPECT_EQ(app.drawer->leftView()->presentationFrame().origin.x, 0);

        app.drawer->closeLeftView();
        EXPECT_FALSE(app.drawer->leftView()->isHidden()); // still sliding out
        RunLoop::main().runFor(0.25);
        EXPECT_TRUE(app.drawer->leftView()->isHidden());

        // Opened again before the slide-out ends: it stays visible.
        app.drawer->openLeftView();
        app.drawer->closeLeftView();
        app.drawer->openLeftView();
        RunLoop::main().runFor(0.3);
        EXPECT_FALSE(app.drawer->leftView()->isHidden());
    }
    RunLoop::main().runUntilIdle();
    DispatchClock::useRealTime();
}
