#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UITextField.hpp"
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

std::shared_ptr<UIWindowScene> firstScene()
{
    for (const auto& scene : UIApplication::sharedApplication().connectedScenes()) {
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene)) {
            return windowScene;
        }
    }
    return nullptr;
}

} // namespace

TEST(UIWindow, WindowsJoinTheFirstSceneInCreationOrderAndLeaveWhenReleased)
{
    UIApplication::resetSharedApplication();
    auto appWindow = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    ASSERT_TRUE(firstScene());
    EXPECT_EQ(UIApplication::sharedApplication().connectedScenes().size(), 1u);
    auto second = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    second->setSafeAreaInsets(UIEdgeInsets{0, 0, 21, 0});
    auto windows = firstScene()->windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows.front(), appWindow);
    EXPECT_EQ(windows.back()->windowSafeAreaInsets().bottom, 21);
    windows.clear();
    second.reset();
    EXPECT_EQ(firstScene()->windows().size(), 1u);
    EXPECT_EQ(appWindow->windowScene(), firstScene());
}

TEST(UIWindow, LayoutPassesReachTheRootControllerOnlyWhenSomethingChanged)
{
    auto window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 800});
    auto root = std::make_shared<CountingController>();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    RunLoop::main().runUntilIdle();
    int before = root->willLayout;
    EXPECT_GE(before, 1);
    EXPECT_EQ(root->willLayout, root->didLayout);
    window->layoutIfNeeded();
    EXPECT_EQ(root->willLayout, before);
    root->view()->setNeedsLayout();
    window->layoutIfNeeded();
    EXPECT_EQ(root->willLayout, before + 1);
    EXPECT_EQ(root->didLayout, before + 1);
}

TEST(UIApplication, LinksGoThroughTheInstalledOpener)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    auto store = *URL::string("https://example.org/store");
    auto custom = *URL::string("radixelpro://open");
    // No opener (headless, outside the harness): nothing opens, the completion hears so.
    EXPECT_FALSE(app.canOpenURL(store));
    bool handed = true;
    app.openURL(store, {}, [&](bool ok) { handed = ok; });
    RunLoop::main().runUntilIdle();
    EXPECT_FALSE(handed);

    auto opener = std::make_shared<uikit::testing::RecordingLinkOpener>();
    app.setLinkOpener(opener);
    opener->installURLHandler("RadixelPro");
    EXPECT_TRUE(app.canOpenURL(custom));
    EXPECT_FALSE(app.canOpenURL(store));
    app.openURL(store, {}, [&](bool ok) { handed = ok; }); // not taken: not handed on
    app.openURL(custom, {}, nullptr);
    opener->installURLHandler("https://example.org/store");
    app.openURL(store, {}, [&](bool ok) { handed = ok; });
    EXPECT_FALSE(handed); // the completion comes on the next turn of the main queue
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(handed);
    EXPECT_EQ(opener->openedURLs(), (std::vector<std::string>{"radixelpro://open", "https://example.org/store"}));
    UIApplication::resetSharedApplication();
}

TEST(UIApplication, LifeCycleCallsThatDoNotFitTheStateAreIgnored)
{
    UIApplication::resetSharedApplication();
    auto& app = UIApplication::sharedApplication();
    app.becomeActive(); // not launched yet
    EXPECT_EQ(app.applicationState(), UIApplicationState::Inactive);
    app.launch();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
    app.enterForeground(); // not in the background
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
    app.enterBackground();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Background);
    app.becomeActive();
    EXPECT_EQ(app.applicationState(), UIApplicationState::Active);
}

TEST(UIView, RemovingAnEditingFieldEndsEditing)
{
    auto root = std::make_shared<UIView>();
    auto field = std::make_shared<UITextField>();
    root->addSubview(field);
    field->tap();
    ASSERT_TRUE(field->isFirstResponder());
    field->removeFromSuperview();
    EXPECT_FALSE(field->isFirstResponder());
}

TEST(UIStoryboardDeathTest, ASceneOfTheWrongClassIsFatal)
{
    UIStoryboard::registerScene("Main", "LeftViewController", [](const NSCoder&) { return std::make_shared<UIViewController>(); });
    auto storyboard = UIStoryboard::storyboardWithName("Main", nullptr);
    EXPECT_DEATH(storyboard->instantiateViewControllerWithIdentifier<CountingController>("LeftViewController"), "is a UIViewController");
    EXPECT_TRUE(storyboard->instantiateViewControllerWithIdentifier<UIViewController>("LeftViewController"));
    UIStoryboard::removeAllRegistrations();
}
