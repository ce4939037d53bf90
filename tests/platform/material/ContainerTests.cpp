#include "tests/platform/material/MaterialTestApp.hpp"

#include "platform/material/Icon.hpp"

using namespace material_test;

TEST_F(MaterialApp, LaunchShowsOnlyTheSelectedPageAndTabSwitchesSendAppearanceInPlatformOrder)
{
    EXPECT_EQ(launchLog, (Log{"calc.willAppear", "calc.didAppear"}));
    EXPECT_EQ(app->drawer->prepared, 1);
    EXPECT_EQ(app->calc->view()->window(), app->window);
    // Every page's view is loaded, but only the selected one is on screen.
    ASSERT_TRUE(app->solution->viewIfLoaded());
    EXPECT_EQ(app->solution->viewIfLoaded()->window(), nullptr);

    tabItem(*app->solution)->tap();
    EXPECT_EQ(app->log, (Log{"calc.willDisappear", "solution.willAppear", "calc.didDisappear", "solution.didAppear"}));
    EXPECT_TRUE(!tabItem(*app->calc)->isSelected() && tabItem(*app->solution)->isSelected());
    app->log.clear();
    auto calcItem = tabItem(*app->calc);
    EXPECT_EQ(calcItem->title(), "calc");  // made in the page's constructor
    EXPECT_EQ(app->tabs->tabBar()->tabItems().front(), calcItem);
    calcItem->tap();
    EXPECT_EQ(app->tabs->selectedIndex(), 0u);
    EXPECT_EQ(app->log.back(), "calc.didAppear");
    EXPECT_EQ(app->calc->view()->frame().maxY(), app->tabs->tabBar()->frame().minY());  // beside the bar, not under it

    // A disabled tab item cannot be tapped.
    tabItem(*app->solution)->setEnabled(false);
    tabItem(*app->solution)->tap();
    EXPECT_EQ(app->tabs->selectedIndex(), 0u);
}

// A disabled side, or one without a controller, stays closed.
TEST_F(MaterialApp, TheDrawerSlidesInAndOutAndOnlyAnEnabledSideOpens)
{
    app->drawer->setLeftViewEnabled(false);
    app->drawer->openLeftView(0);
    app->drawer->openRightView(0);
    EXPECT_FALSE(app->drawer->isLeftViewOpened());
    EXPECT_FALSE(app->drawer->isRightViewOpened());
    EXPECT_TRUE(app->log.empty());

    // The model is open at once; the drawing slides in from off screen.
    app->drawer->setLeftViewEnabled(true);
    app->drawer->toggleLeftView();
    EXPECT_EQ(leftX(), 0);
    EXPECT_EQ(shownLeftX(), -drawerWidth);
    h.advance(0.1);
    EXPECT_GT(shownLeftX(), -drawerWidth);
    EXPECT_LT(shownLeftX(), 0);
    h.advance(0.15);
    EXPECT_EQ(shownLeftX(), 0);
    EXPECT_EQ(app->log, opening);
    app->log.clear();
    app->drawer->openLeftView();  // opening an open drawer tells nobody
    EXPECT_TRUE(app->log.empty());

    app->drawer->toggleLeftView();
    EXPECT_FALSE(app->drawer->leftView()->isHidden()); // still sliding out
    h.advance(0.25);
    EXPECT_TRUE(app->drawer->leftView()->isHidden());
    EXPECT_EQ(app->log, closing);

    // Opened again before the slide-out ends: it stays visible.
    app->drawer->openLeftView();
    app->drawer->closeLeftView();
    app->drawer->openLeftView();
    h.advance(0.3);
    EXPECT_FALSE(app->drawer->leftView()->isHidden());
}

TEST_F(MaterialApp, TransitionReplacesTheRootThenCompletes)
{
    open();
    auto fresh = std::make_shared<Page>("history", app->log);
    auto freshToolbar = std::make_shared<ToolbarController>(fresh);
    app->drawer->transition(freshToolbar, [&](bool) {
        app->log.push_back("completion");
        app->drawer->closeLeftView(0);
    });
    h.runUntilIdle();
    EXPECT_EQ(app->drawer->rootViewController(), freshToolbar);
    Log expected{"calc.willDisappear", "history.willAppear", "calc.didDisappear", "history.didAppear", "completion"};
    expected.insert(expected.end(), closing.begin(), closing.end());
    EXPECT_EQ(app->log, expected);
    EXPECT_EQ(app->appToolbar->parentViewController(), nullptr);
    EXPECT_EQ(navigationDrawerController(*fresh), app->drawer);
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
TEST_F(MaterialApp, ParentChainLookups)
{
    EXPECT_EQ(toolbarController(*app->calc), app->appToolbar);
    EXPECT_EQ(tabsController(*app->calc), app->tabs);
    EXPECT_EQ(navigationDrawerController(*app->calc), app->drawer);
    EXPECT_EQ(toolbarController(*app->menu), app->menuToolbar);
    EXPECT_EQ(tabsController(*app->menu), nullptr);
    EXPECT_EQ(navigationDrawerController(*std::make_shared<UIViewController>()), nullptr);

    std::shared_ptr<AsksWhileMade> made;
    ASSERT_NO_THROW(made = std::make_shared<AsksWhileMade>(std::make_shared<UIViewController>()));
    EXPECT_FALSE(made->foundAny);
    EXPECT_EQ(toolbarController(*made), made); // once owned, it finds itself
}

TEST_F(MaterialApp, ReleasingTheWindowReleasesTheWholeTreeWithItsTabItems)
{
    open();
    std::weak_ptr<UIViewController> drawer = app->drawer, calc = app->calc, menu = app->menu;
    std::weak_ptr<TabItem> item = tabItem(*app->calc);
    app.reset();
    h.simulateRestart();
    EXPECT_TRUE(drawer.expired());
    EXPECT_TRUE(calc.expired());
    EXPECT_TRUE(menu.expired());
    EXPECT_TRUE(item.expired());
}

TEST_F(MaterialApp, ToolbarItemsAreSubviewsReplacedWholeAndTheBarsHeightMovesThePage)
{
    auto toolbar = app->appToolbar->toolbar();
    auto clear = std::make_shared<IconButton>(Icon::clear(), UIColor::whiteColor());
    clear->setAccessibilityIdentifier("toolbarRemoveButton");
    auto edit = std::make_shared<IconButton>(Icon::edit(), UIColor::whiteColor());
    toolbar->setRightViews({clear});
    toolbar->setRightViews({clear, edit});
    EXPECT_EQ(toolbar->rightViews().size(), 2u);
    EXPECT_EQ(app->window->viewWithAccessibilityIdentifier("toolbarRemoveButton"), clear);
    toolbar->setRightViews({edit});
    EXPECT_EQ(clear->superview(), nullptr);

    toolbar->setFrame({0, 0, 400, 90});
    app->window->setNeedsLayout();
    app->window->layoutIfNeeded();
    EXPECT_EQ(app->tabs->view()->frame().origin.y, 110);  // under the status bar and the toolbar
}

// Like the history's bar: the right-hand items read in list order, the last at the edge.
TEST(MaterialToolbar, ItemsSitAtTheEdgesAndTheTitleBetween)
{
    auto toolbar = std::make_shared<Toolbar>(CGRect{0, 0, 400, 56});
    toolbar->setContentEdgeInsets({8, 0, 8, 0});
    auto menu = std::make_shared<IconButton>(Icon::menu(), UIColor::whiteColor());
    auto clear = std::make_shared<IconButton>(Icon::clear(), UIColor::whiteColor());
    auto edit = std::make_shared<IconButton>(Icon::edit(), UIColor::whiteColor());
    toolbar->setLeftViews({menu});
    toolbar->setRightViews({clear, edit});
    toolbar->setTitle("History");
    toolbar->layoutIfNeeded();
    EXPECT_EQ(menu->frame(), (CGRect{0, 8, 40, 40}));
    EXPECT_EQ(clear->frame(), (CGRect{312, 8, 40, 40}));
    EXPECT_EQ(edit->frame(), (CGRect{360, 8, 40, 40}));
    EXPECT_EQ(toolbar->titleLabel()->frame(), (CGRect{48, 8, 256, 40}));
}
