#include <gtest/gtest.h>

#include <atomic>

#include "Radixel/screens/menu/LeftViewController.hpp"
#include "Radixel/screens/root/AppNavigationDrawerController.hpp"
#include "Radixel/screens/root/AppToolbarController.hpp"
#include "Radixel/screens/root/LaunchedApp.hpp"
#include "Radixel/screens/root/MenuToolbarController.hpp"
#include "Radixel/services/CalcManager.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSNotificationCenter.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"

namespace {

class AppStartTest : public ::testing::Test, public LaunchedApp {
protected:
    std::shared_ptr<AppNavigationDrawerController> drawer() {
        return std::dynamic_pointer_cast<AppNavigationDrawerController>(h.rootViewController());
    }
    std::shared_ptr<OnboardKit::OnboardViewController> onboarding() {
        return std::dynamic_pointer_cast<OnboardKit::OnboardViewController>(drawer()->presentedViewController());
    }
    void acceptPrivacy() { ASSERT_TRUE(h.tapAlertAction(NSLocalizedString("dsgvoAccept", ""))); }
    void finishOnboarding() {
        for (int page = 0; page < 20 && onboarding(); ++page) ASSERT_TRUE(h.tap(onboarding()->advanceButton()));
        h.finishAnimations();
        ASSERT_FALSE(onboarding());
    }
};

}  // namespace

TEST_F(AppStartTest, FirstStartShowsTheIntroductionWithThePrivacyPromptAboveIt) {
    launch();
    ASSERT_TRUE(drawer());
    EXPECT_EQ(drawer()->rootViewController(), app->appToolbarController());
    auto menu = std::dynamic_pointer_cast<MenuToolbarController>(drawer()->leftViewController());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->rootViewController(), app->leftViewController());
    EXPECT_EQ(app->appToolbarController()->rootViewController(), app->pageTabBarController());
    EXPECT_EQ(pages().viewControllers(), (std::vector<std::shared_ptr<UIViewController>>{
                                             app->calculateViewController(), app->solutionViewController()}));
    EXPECT_EQ(pages().selectedIndex(), 0u);

    ASSERT_TRUE(onboarding());
    EXPECT_EQ(onboarding()->modalPresentationStyle(), UIModalPresentationStyle::OverFullScreen);
    EXPECT_FALSE(onboarding()->view()->hasRunningAnimations());  // presented without animation
    ASSERT_TRUE(h.presentedAlert());
    EXPECT_EQ(h.presentedAlert()->presentingViewController(), onboarding());
    EXPECT_EQ(h.presentedAlert()->title(), NSLocalizedString("dsgvoTitle", ""));

    // The history is seeded with the example.
    ASSERT_EQ(CalcManager::shared().calculations.size(), 1u);
    EXPECT_EQ(CalcManager::shared().calculations[0].latexString, "p = -2.4, q = \\frac{7}{3}");
}

TEST_F(AppStartTest, AnUnacceptedPolicyIsAskedForAloneOnTheDrawer) {
    launch(Answers{true, false});
    ASSERT_TRUE(h.presentedAlert());
    EXPECT_EQ(h.presentedAlert()->presentingViewController(), drawer());
    EXPECT_FALSE(onboarding());
}

TEST_F(AppStartTest, ARestartKeepsTheHistoryAndTheAnswers) {
    launch();
    acceptPrivacy();
    finishOnboarding();
    h.focus(calculate().pTextField);
    type("3");
    h.focus(calculate().qTextField);
    type("-4");
    ASSERT_TRUE(tapCalculate());

    restart();
    EXPECT_EQ(h.topViewController(), drawer());
    const auto& history = CalcManager::shared().calculations;
    ASSERT_EQ(history.size(), 2u);  // not seeded again
    EXPECT_EQ(history[0].inputParameters, (std::map<std::string, std::string>{{"p", "3"}, {"q", "-4"}}));
    EXPECT_EQ(history[1].inputParameters.at("q"), "7/3");
    // The fields start empty: the last inputs live only as long as the process.
    EXPECT_EQ(p().text(), "");
}

TEST_F(AppStartTest, EveryActivationStartsOneFetch) {
    // Without an endpoint every fetch fails, and a failed fetch loads the values held again,
    // which announces the app list once per fetch.
    auto announced = std::make_shared<std::atomic<int>>(0);
    NSNotificationCenter::defaultCenter().addObserverForName("didLoadMenu", [announced](const auto&) { ++*announced; });
    launch(Answers{});
    // Once while launching, once for the first activation's fetch. (A fetch of an earlier test
    // may still report here, so the count goes on from what has arrived by now.)
    ASSERT_TRUE(h.runUntil([&] { return *announced >= 2; }));
    h.runUntilIdle();
    const int afterLaunch = *announced;
    h.cycleThroughBackground();
    h.cycleThroughBackground();
    ASSERT_TRUE(h.runUntil([&] { return *announced >= afterLaunch + 2; }));
    h.runUntilIdle();
    EXPECT_EQ(*announced, afterLaunch + 2);
}
