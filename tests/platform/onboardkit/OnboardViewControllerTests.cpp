#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.hpp"
#include "platform/onboardkit/OnboardViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

using OnboardKit::OnboardPage;
using OnboardKit::OnboardViewController;

namespace {

// The application's introductions are walked to their end by its own start tests, and no input
// reaches the pages' buttons under a prompt; these are the rules of the buttons around that.
class OnboardViewControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
    std::shared_ptr<OnboardViewController> present(int pages, const OnboardViewController::AppearanceConfiguration& appearance = {})
    {
        std::vector<OnboardPage> items;
        for (int i = 1; i <= pages; ++i) {
            items.push_back({"", "main_onboarding_" + std::to_string(i), "", "text", i == pages ? "letsStart" : "next", std::nullopt, {}});
        }
        auto onboarding = std::make_shared<OnboardViewController>(items, appearance, [this] { ++completions; });
        onboarding->presentFrom(root, false);
        return onboarding;
    }
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    std::shared_ptr<UIViewController> root = std::make_shared<UIViewController>();
    int completions = 0;
};

} // namespace

TEST_F(OnboardViewControllerTest, EveryPageStylesItsButtonAndExtraTapsAfterTheLastCompleteNothingMore)
{
    int styled = 0;
    OnboardViewController::AppearanceConfiguration appearance;
    appearance.advanceButtonStyling = [&](const std::shared_ptr<UIButton>&) { ++styled; };
    auto onboarding = present(3, appearance);
    EXPECT_EQ(styled, 1);
    onboarding->advanceButton()->tap();
    onboarding->advanceButton()->tap();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(onboarding->advanceButton()->titleForState(UIControlStateNormal), "letsStart");
    EXPECT_EQ(std::pair(styled, completions), std::pair(3, 0));

    for (int tap = 0; tap < 2; ++tap) {  // the first tap on the last page completes
        onboarding->advanceButton()->tap();
        RunLoop::main().runUntilIdle();
        EXPECT_EQ(completions, 1);
    }
    EXPECT_EQ(root->presentedViewController(), nullptr);
}
