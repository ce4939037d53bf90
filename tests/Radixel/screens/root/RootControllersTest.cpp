#include <gtest/gtest.h>

#include "Radixel/screens/root/AppNavigationDrawerController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/screens/root/MenuToolbarController.hpp"
#include "Radixel/services/KeTuColor.hpp"
#include "Radixel/services/LocalizedAppName.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/material/ParentLookup.hpp"

namespace {

class RootControllersTest : public ::testing::Test, public LaunchedApp {
protected:
    void SetUp() override { launch(Answers{}); }

    AppNavigationDrawerController& drawer() {
        return dynamic_cast<AppNavigationDrawerController&>(*h.rootViewController());
    }
    AppToolbarController& toolbar() { return *app->appToolbarController(); }
    MenuToolbarController& menuToolbar() {
        return dynamic_cast<MenuToolbarController&>(*drawer().leftViewController());
    }
};

}  // namespace

TEST_F(RootControllersTest, TheMenuButtonOpensTheDrawerUnlessACalculationRuns) {
    isCalculating = true;
    ASSERT_TRUE(h.tap(toolbar().menuButton));
    isCalculating = false;
    EXPECT_FALSE(drawer().isLeftViewOpened());

    ASSERT_TRUE(h.tap(toolbar().menuButton));
    EXPECT_TRUE(drawer().isLeftViewOpened());
    EXPECT_EQ(h.analytics().eventsNamed("tapped_menu_button").size(), 2u);
    // The open drawer lies over the page: its keys are out of reach.
    EXPECT_FALSE(h.isTouchable(key("7")));
}

// The page's Clear button takes the side the menu button leaves free; the solution page has nothing
// to show before the first calculation.
TEST_F(RootControllersTest, ToolbarsAndPageTabsWearTheBrandColoursAndTheirTitles) {
    EXPECT_EQ(toolbar().toolbar()->backgroundColor(), KeTuColor::color2());
    EXPECT_EQ(toolbar().statusBar()->backgroundColor(), KeTuColor::color1());
    EXPECT_EQ(toolbar().toolbar()->leftViews(), (std::vector<std::shared_ptr<UIView>>{toolbar().menuButton}));
    EXPECT_EQ(toolbar().toolbar()->title(), NSLocalizedString("Calculate Title", ""));
    EXPECT_EQ(toolbar().toolbar()->rightViews(), (std::vector<std::shared_ptr<UIView>>{calculate().clearAllButton}));

    auto& menuBar = *menuToolbar().toolbar();
    EXPECT_EQ(menuBar.title(), "  " + localizedAppName() + "  ");
    EXPECT_EQ(menuBar.backgroundColor(), KeTuColor::color1());
    EXPECT_EQ(menuBar.frame().size.height, 90.0);
    EXPECT_TRUE(menuToolbar().isStatusBarHidden());

    EXPECT_EQ(pages().tabBarAlignment(), Material::TabBarAlignment::top);
    EXPECT_EQ(pages().tabBar()->backgroundColor(), KeTuColor::color3());
    EXPECT_EQ(Material::tabItem(calculate())->title(), NSLocalizedString("Input", ""));
    EXPECT_TRUE(Material::tabItem(calculate())->isEnabled());
    EXPECT_FALSE(Material::tabItem(solution())->isEnabled());
}
