#include <gtest/gtest.h>

#include "Radixel/screens/root/LaunchedApp.hpp"

namespace {
class RootControllersTest : public ::testing::Test, public LaunchedApp {};
}  // namespace

TEST_F(RootControllersTest, TheMenuButtonOpensTheDrawerOverThePageUnlessACalculationRuns) {
    launch(Answers{});
    EXPECT_EQ(toolbar()->toolbar()->title(), NSLocalizedString("Calculate Title", ""));

    isCalculating = true;
    ASSERT_TRUE(h.tap(toolbar()->menuButton));
    isCalculating = false;
    EXPECT_FALSE(drawer()->isLeftViewOpened());

    ASSERT_TRUE(h.tap(toolbar()->menuButton));
    EXPECT_TRUE(drawer()->isLeftViewOpened());
    EXPECT_EQ(h.analytics().eventsNamed("tapped_menu_button").size(), 2u);
    // The open drawer lies over the page: its keys are out of reach.
    EXPECT_FALSE(h.isTouchable(key("7")));
}
