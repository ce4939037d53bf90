#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"
#include "platform/uikit/UIAlertController.hpp"
#include "platform/uikit/UIWindow.hpp"

using OnboardKit::OnboardPage;
using OnboardKit::OnboardViewController;

namespace {

std::vector<OnboardPage> pages(int n)
{
    std::vector<OnboardPage> out;
    for (int i = 1; i <= n; ++i) {
        out.push_back({"", "main_onboarding_" + std::to_string(i), "", "text " + std::to_string(i), i == n ? "letsStart" : "next", std::nullopt, {}});
    }
    return out;
}

struct Shown {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    std::shared_ptr<UIViewController> root = std::make_shared<UIViewController>();
    Shown()
    {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
};

} // namespace

TEST(OnboardViewController, ShowsPagesInOrderStylesEachButtonAndCompletesOnce)
{
    Shown s;
    int styled = 0;
    int completions = 0;
    OnboardViewController::AppearanceConfiguration appearance;
    appearance.advanceButtonStyling = [&](const std::shared_ptr<UIButton>& button) {
        ++styled;
        button->setTitleColor(UIColor::redColor(), UIControlStateNormal);
    };
    auto onboarding = std::make_shared<OnboardViewController>(pages(3), appearance, [&] { ++completions; });
    onboarding->setModalPresentationStyle(UIModalPresentationStyle::OverFullScreen);
    onboarding->presentFrom(s.root, false);
    EXPECT_EQ(s.root->presentedViewController(), onboarding);
    EXPECT_EQ(onboarding->pageItems().size(), 3u);
    EXPECT_EQ(onboarding->advanceButton()->titleForState(UIControlStateNormal), "next");
    EXPECT_EQ(styled, 1);

    onboarding->advanceButton()->tap();
    onboarding->advanceButton()->tap();
    EXPECT_EQ(onboarding->currentPageIndex(), 2u);
    EXPECT_EQ(onboarding->advanceButton()->titleForState(UIControlStateNormal), "letsStart");
    EXPECT_EQ(styled, 3);

    onboarding->advanceButton()->tap();
    onboarding->advanceButton()->tap();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(s.root->presentedViewController(), nullptr);
}

TEST(OnboardViewController, APresentedAlertBlocksTheButtonsUntilAnswered)
{
    Shown s;
    int completions = 0;
    auto onboarding = std::make_shared<OnboardViewController>(pages(1), OnboardViewController::AppearanceConfiguration{}, [&] { ++completions; });
    onboarding->presentFrom(s.root, false);
    auto privacy = UIAlertController::alertControllerWithTitle("Privacy", "", UIAlertControllerStyle::Alert);
    privacy->addAction(UIAlertAction::actionWithTitle("Accept", UIAlertActionStyle::Default, nullptr));
    onboarding->presentViewController(privacy, false);
    EXPECT_EQ(privacy->presentingViewController(), onboarding);

    EXPECT_FALSE(onboarding->advance());
    privacy->userDidTapActionWithTitle("Accept");
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(onboarding->advance());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(completions, 1);
}
