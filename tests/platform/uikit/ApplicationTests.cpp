#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/testing/RecordingLinkOpener.hpp"

namespace {

class CountingController : public UIViewController {
public:
    int willLayout = 0;
    int didLayout = 0;
    void viewWillLayoutSubviews() override { ++willLayout; }
    void viewDidLayoutSubviews() override { ++didLayout; }
};

} // namespace

// Windows joining the first scene in order is the view manager's own test.
TEST(UIWindow, LayoutPassesReachTheRootControllerOnlyWhenSomethingChanged)
{
    auto window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    auto root = std::make_shared<CountingController>();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    RunLoop::main().runUntilIdle();
    int before = root->willLayout;
    EXPECT_GE(before, 1);
    window->layoutIfNeeded();
    EXPECT_EQ(root->willLayout, before);
    root->view()->setNeedsLayout();
    window->layoutIfNeeded();
    EXPECT_EQ(root->willLayout, before + 1);
    EXPECT_EQ(root->didLayout, before + 1);
}

// That an installed scheme opens and the opener records it is the harness's own test.
TEST(UIApplication, LinksOpenOnlyThroughAnOpenerThatTakesThemAndAnswerOnTheNextTurn)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    auto store = *URL::string("https://example.org/store");
    std::optional<bool> handed;
    auto open = [&](const URL& url) { app.openURL(url, {}, [&](bool ok) { handed = ok; }); };
    // No opener (headless, outside the harness): nothing opens, the completion hears so.
    EXPECT_FALSE(app.canOpenURL(store));
    open(store);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(handed, false);

    auto opener = std::make_shared<uikit::testing::RecordingLinkOpener>();
    app.setLinkOpener(opener);
    opener->installURLHandler("RadixelPro"); // schemes match in any case
    EXPECT_TRUE(app.canOpenURL(*URL::string("radixelpro://open")));
    EXPECT_FALSE(app.canOpenURL(store));
    open(store); // not taken: not handed on
    opener->installURLHandler("https://example.org/store");
    handed.reset();
    open(store);
    EXPECT_FALSE(handed.has_value());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(handed, true);
    EXPECT_EQ(opener->openedURLs(), (std::vector<std::string>{"https://example.org/store"}));
    UIApplication::resetSharedApplication();
}

TEST(UIApplication, LifeCycleCallsThatDoNotFitTheStateAreIgnored)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    app.becomeActive(); // not launched yet
    EXPECT_EQ(app.applicationState(), UIApplicationState::Inactive);
    app.launch();
    app.enterForeground(); // not in the background
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
    app.enterBackground();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Background);
    app.becomeActive();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
}
